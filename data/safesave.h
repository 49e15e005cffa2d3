#pragma once

#include <QString>

#include <functional>

class QIODevice;

// The one way the program replaces a file the user has: a database, an
// export, a printed PDF, a desktop registration file.
//
// `write` gets a device to write the whole new contents to and answers
// false when it failed. True comes back only once every write, the final
// flush, the sync to disk and the close or rename have succeeded; on any
// failure the old file is left byte for byte as it was, no temporary file
// stays behind, and `error` says why.
//
// A new file is written beside the target and renamed over it when that
// keeps everything the user had (permissions, owner and group, extended
// attributes, a single link, a writable folder). Otherwise the file is
// written in place, after a copy of its contents has gone to the cache
// folder; a failure copies it back, and when even that fails, `error` names
// the copy. A symbolic link is written through, never replaced; a
// read-only file and anything but a regular file are refused.
bool SaveFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write, QString *error);

// Where the in-place copies are kept while a file is written.
QString SafeSaveBackupFolder();

// Test seam: fails the `n`th system call that saving makes from now on
// (opening, reading, writing, syncing, truncating, changing owner or mode,
// closing, renaming) with `errorNumber`, or every call from the `n`th on
// when `onward`. 0 turns it off. Fired() tells whether the fault was hit.
namespace SaveFaults {
void Inject(int n, int errorNumber, bool onward = false);
bool Fired();
} // namespace SaveFaults
