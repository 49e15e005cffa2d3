#pragma once

#include <QString>

// "INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv||" in Qt's form:
// "INI File (*.ini);;CSV File (*.csv)". A description that does not name
// its patterns gets them added in parentheses. The pattern "*.*" becomes
// "*", so that "All Files" also shows files without an extension.
QString QtFileFilters(const QString &pipeSeparated);

// True when the file name's extension (after its last dot) is `extension`,
// compared without regard to case.
bool HasExtension(const QString &path, const char *extension);
