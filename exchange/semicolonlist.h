#pragma once

#include "data/reflectorlist.h"

#include <QByteArray>
#include <QString>

class QIODevice;
struct DateTimeStamp;

// The whole list as text: a dated header line, then one line per record
// with its twelve fields separated by semicolons, every line ending in
// CR LF. Fields are written in UTF-8 (a text stored in Windows-1252 is
// converted) with line breaks as spaces, neither quoted nor escaped.
namespace SemicolonList {

// "LDX2 List DATE @ TIME" and the line break.
QByteArray HeaderLine(const DateTimeStamp &stamp);
// "country;letters;...;id;AM:Yes;SV:No;RV:Yes;IR:No" and the line break.
void AppendLine(QByteArray &out, const CReflector &reflector);

// False when a write failed.
bool Write(QIODevice &device, const ReflectorList &list, const DateTimeStamp &stamp);
// Replaces the file at `path` in one step; on failure the file is as it
// was and `error` says why.
bool Save(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp, QString *error);

} // namespace SemicolonList
