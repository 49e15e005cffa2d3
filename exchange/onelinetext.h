#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends `text` to `out` with every CR and LF replaced by a space. Texts
// of records read from files made elsewhere may hold line breaks; written
// as they are, they would add lines (or whole sections) to an export.
void AppendOneLine(QByteArray &out, QByteArrayView text);

// The same into `out`, which has room for text.size() bytes; answers the
// end of what it wrote.
char *CopyOneLine(char *out, QByteArrayView text);

// `text` with every CR and LF replaced by a space.
QByteArray OneLine(QByteArrayView text);
