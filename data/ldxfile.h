#pragma once

#include "base/regularfile.h"
#include "data/openresult.h"
#include "data/reflectorlist.h"

#include <QString>

class QIODevice;

// The .ldx database file: a record count, then each record behind a class
// tag (the first with the class description "CReflector", schema 1).
namespace LdxFile {

// Reads a whole list from the bytes of a file. A malformed file is refused
// whole: `out` is left empty and `error` says why.
bool Read(const char *data, std::size_t size, ReflectorList &out, QString *error);

// Writes the list to `device`; false when a write failed.
bool Write(const ReflectorList &list, QIODevice &device);

// Reads the file at `path`, through a window rather than as a whole;
// `stamp` tells which file it was, for noticing later changes. Never
// Cancelled.
OpenResult Load(const QString &path, ReflectorList &out, QString *error, FileStamp *stamp = nullptr);

// Writes the file at `path` through the safe save: a failed save never
// harms the previous file. A read-only target is refused.
bool Save(const QString &path, const ReflectorList &list, QString *error);

} // namespace LdxFile
