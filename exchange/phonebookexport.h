#pragma once

#include "data/reflectorlist.h"

#include <QByteArray>
#include <QString>

class CClientCodePage;
class QIODevice;
struct DateTimeStamp;

// The client's phonebook (nickname.ini): a dated marker section and one
// section per running reflector, merged into whatever the file holds.
namespace PhonebookExport {

// "_LDX List DATE TIME_"
QByteArray MarkerSection(const DateTimeStamp &stamp);

// Writes to `out` the phonebook `existing` after the marker section, then
// each running reflector's section in list order, have been written into
// it, each with its five keys in order: exactly what one profile write per
// key would leave (see CProfileFile). Names and values are written in the
// client's code page, and sections are found by comparing in it. False
// when a write to `out` failed.
bool Merge(QIODevice &out, QByteArray existing, const ReflectorList &list, const DateTimeStamp &stamp,
           const CClientCodePage &codePage);

// Merges into the file at `path` (created when missing) and replaces it
// in one step. On failure the file is as it was and `error` says why.
bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp,
            const CClientCodePage &codePage, QString *error);

} // namespace PhonebookExport
