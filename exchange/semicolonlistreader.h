#pragma once

#include <QString>

class CTextLines;
struct ImportedReflectors;

// Reads the semicolon list that File > Export writes: an optional
// "LDX2 List ..." line first, then one line per reflector with eight texts
// and the four flags "AM:Yes;SV:No;RV:Yes;IR:No".
//
// It also reads the list after a spreadsheet saved it: a field may be in
// double quotes, with doubled quotes inside, and empty fields after the
// twelfth are ignored, as are lines of nothing but separators. A field
// that does not end where its quotes close is read as it stands, since the
// export writes texts unquoted. Texts are kept as bytes (valid UTF-8 is
// UTF-8, anything else Windows-1252).
namespace SemicolonListReader {

bool Read(CTextLines &lines, ImportedReflectors &out, QString *error);

} // namespace SemicolonListReader
