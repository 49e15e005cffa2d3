#pragma once

#include "data/reflectorlist.h"

#include <QString>

struct DateTimeStamp;

// The Export command's choice of format by the chosen file's name.
namespace ExportFormat {

// "ini" in any letter case; anything else, or no extension, is a
// semicolon list.
bool IsPhonebook(const QString &path);

// The phonebook merge or the semicolon list, as the name says.
bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp, QString *error);

} // namespace ExportFormat
