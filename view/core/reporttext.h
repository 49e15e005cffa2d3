#pragma once

#include <QString>

class CReflector;

// The texts of the printed report. Fields are padded by the characters
// the printout shows, not by bytes: a UTF-8 name such as "Zürich" is one
// character short of its byte count and would otherwise push the columns
// after it out of line with the fixed-pitch font. Each code point counts
// as one character; a text that is not valid UTF-8 reads as Windows-1252.
// Line breaks in a text print as spaces, and each text is isolated from the
// line's left-to-right layout, so that a right-to-left name keeps its place.
namespace ReportText {

// " %-5d - %s [%s], %s (%s)": number, full name, short name, country, code.
QString FirstLine(int number, const CReflector &reflector);
// "IP: %-15s  ID: %-2s  %s (%s)": address, conference ID, contact, e-mail.
QString SecondLine(const CReflector &reflector);
// "Page %d/%d".
QString PageLabel(int page, int pageCount);

// `text` followed by blanks up to `width` characters; longer texts stay whole.
QString PadRight(const QString &text, int width);

} // namespace ReportText
