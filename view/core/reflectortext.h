#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class CReflector;

// The plain text that Copy and drag-out offer: one labelled block per
// reflector, lines separated by single line feeds, each block followed by
// a blank line. Values are copied in UTF-8, a text stored in Windows-1252
// converted; the text is never cut.
void AppendReflectorText(const CReflector &record, QByteArray &out);
QByteArray ReflectorText(const std::vector<const CReflector *> &records);

// The label of a field's line, without the line break before it and the
// blank after it: "Full name:".
QByteArrayView ReflectorTextLabel(int column);
