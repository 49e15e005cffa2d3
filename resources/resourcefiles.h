#pragma once

#include <QByteArray>

// The files built into the program (resources/CMakeLists.txt), under the
// paths Qt's resource system gives them.
namespace ResourceFiles {

// The country list: CR LF lines "CODE;Name".
inline constexpr char kCountryList[] = ":/countries.csv";
// The packaged desktop entry and MIME package, for the per-user registration.
inline constexpr char kDesktopEntry[] = ":/desktop/com.quorv.Lodex.desktop";
inline constexpr char kMimePackage[] = ":/desktop/com.quorv.Lodex.xml";
// The icons (SVG): the folder of them all, the application's, the document's.
inline constexpr char kIconFolder[] = ":/icons/";
inline constexpr char kProgramIcon[] = ":/icons/lodex.svg";
inline constexpr char kDocumentIcon[] = ":/icons/ldx-document.svg";

// The file's bytes, or a null array when the program holds no such file.
QByteArray Read(const char *path);

} // namespace ResourceFiles
