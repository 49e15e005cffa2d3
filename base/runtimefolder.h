#pragma once

#include <QString>

// The folder for what only this user's Lodex may see or answer: the
// single-instance socket and its lock, the drag folders. Another local
// user who could put a socket there would receive the files the user
// opens; one who could read it would see what the user drags.
//
// $XDG_RUNTIME_DIR (given as `xdgRuntimeDir`) is taken when it is private:
// an absolute path to a directory itself, not a symbolic link, owned by the
// user, with no permission for group or others. Otherwise "lodex-UID" in
// `fallbackBase` is created with mode 0700 and taken when it then passes
// the same test; one that is already there is judged as found, never
// repaired. Empty when neither is private: the caller does without.
QString PrivateRuntimeFolder(const QString &xdgRuntimeDir, const QString &fallbackBase);

// The same for this run: $XDG_RUNTIME_DIR, else a folder in /tmp.
QString UserRuntimeFolder();
