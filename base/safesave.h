#pragma once

#include "base/regularfile.h"

#include <QString>

#include <functional>

class QIODevice;

// The one way the program replaces a file the user has: a database, an
// export, a printed PDF, a desktop registration file.
//
// The target is what the kernel opens for the path: links are followed by
// the kernel, with its protections (a link planted in a shared sticky
// folder is not followed), and its real folder and name are taken from the
// open file, never from the path's text. The file is locked while it is
// written; a second writer waits briefly, then gives up with nothing
// changed.
//
// Success comes back only once every write, the sync to disk and the close
// or rename have succeeded; on any failure the old file is left byte for
// byte as it was and Error() says why.
//
// The new contents go to an unnamed file in the target's folder that gets
// a name only to be renamed over the target, when that keeps everything the
// user had (owner, group, mode, extended attributes, a single link) and
// the folder allows it. Otherwise the file is written in place, after a
// synced copy of its contents and a journal naming it have gone to the
// copies' folder: an interrupted write is found and offered back by the
// next run (SaveJournal), a failed one is put back at once.
class CSafeSave
{
public:
    using Writer = std::function<bool(QIODevice &out)>;
    // `existing` holds the file's contents as the lock found them (nothing
    // for a new file), read as the new contents are written.
    using Rewriter = std::function<bool(QIODevice &existing, QIODevice &out)>;
    enum class Result { Saved, Failed, ChangedOnDisk };

    explicit CSafeSave(QString path);

    // Refuses (ChangedOnDisk) to write over a file that is no longer the
    // one `stamp` describes. A file that is gone is written anew.
    void RequireUnchangedSince(const FileStamp &stamp) { m_unchangedSince = stamp; }

    Result Write(const Writer &write);
    Result Rewrite(const Rewriter &rewrite);

    // After a failure: why, to follow "Cannot save FILE: ".
    const QString &Error() const { return m_error; }
    // After success: the file as written.
    const FileStamp &Written() const { return m_written; }

private:
    QString m_path;
    FileStamp m_unchangedSince;
    FileStamp m_written;
    QString m_error;
};

// The usual case: false, with `error` set, when it failed.
bool SaveFileSafely(const QString &path, const CSafeSave::Writer &write, QString *error);
bool RewriteFileSafely(const QString &path, const CSafeSave::Rewriter &rewrite, QString *error);

// Test seam: fails the `n`th system call that saving makes from now on
// (opening, reading, writing, syncing, truncating, locking, changing owner
// or mode, linking, closing, renaming) with `errorNumber`, or every call
// from the `n`th on when `onward`. KillAt(n) ends the process with SIGKILL
// at that call instead, as a crash or power cut would. 0 turns it off.
// Fired() tells whether the fault was hit.
namespace SaveFaults {
void Inject(int n, int errorNumber, bool onward = false);
void KillAt(int n);
bool Fired();
} // namespace SaveFaults
