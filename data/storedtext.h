#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A stored text is bytes. Valid UTF-8 is UTF-8; anything else was written by
// the Windows program in its code page, Windows-1252. Every place that shows,
// prints, copies, searches or dumps a text reads it by this rule; the bytes
// themselves are kept exactly until the user edits the field.
namespace StoredText {

bool IsUtf8(QByteArrayView bytes);

// The character a byte stands for in Windows-1252. The five bytes the code
// page leaves undefined stand for the control of the same value, as
// Windows converts them.
char32_t Windows1252Character(unsigned char byte);
// The Windows-1252 byte of a character, or 0 when the code page has none
// (and the character is not U+0000).
unsigned char Windows1252Byte(char32_t character);

QString ToString(QByteArrayView bytes);
// Writes the characters of `bytes` as UTF-16 to `out`, which has room for
// bytes.size() of them, and answers the end: ToString without allocating.
QChar *DecodeInto(QByteArrayView bytes, QChar *out);
QString FromWindows1252(QByteArrayView bytes);
// The text as UTF-8: the bytes themselves when they are UTF-8 already.
QByteArray ToUtf8(QByteArrayView bytes);
// Appends ToUtf8(bytes) to `out` without a copy in between.
void AppendUtf8(QByteArray &out, QByteArrayView bytes);

} // namespace StoredText
