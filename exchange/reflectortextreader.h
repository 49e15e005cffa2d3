#pragma once

#include <QByteArrayView>
#include <QString>

class CTextLines;
struct ImportedReflectors;

// Reads the text that Edit > Copy writes: one block of labelled lines per
// reflector ("Full name: Big Reflector"), blocks separated by blank lines.
//
// Labels may come in any order and in any letter case; one blank after the
// label's colon belongs to the label. A field without its line is left as
// it is when the reflector merges with one in the list (and is empty or
// off in a new one). A line without a label, a label twice in one block,
// or a flag other than Yes or No makes the whole text refused.
namespace ReflectorTextReader {

// Whether the line begins with a field's label.
bool IsLabelled(QByteArrayView line);

bool Read(CTextLines &lines, ImportedReflectors &out, QString *error);

} // namespace ReflectorTextReader
