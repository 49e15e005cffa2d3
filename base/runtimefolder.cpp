#include "base/runtimefolder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsPrivateFolder(const QString &path)
{
    if (!QDir::isAbsolutePath(path))
        return false;
    // lstat: a link is refused, whatever it points to, as its target can
    // change after the test.
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

} // namespace

QString PrivateRuntimeFolder(const QString &xdgRuntimeDir, const QString &fallbackBase)
{
    // Cleaned first: a trailing "/" would make lstat follow a link.
    const QString given = QDir::cleanPath(xdgRuntimeDir);
    if (IsPrivateFolder(given))
        return given;
    if (!QDir::isAbsolutePath(fallbackBase))
        return QString();
    const QString fallback =
        QDir(QDir::cleanPath(fallbackBase)).filePath(QStringLiteral("lodex-%1").arg(::geteuid()));
    // Tested after the attempt, whether it made the folder or found one:
    // someone else may have made it first, in a shared folder.
    ::mkdir(QFile::encodeName(fallback).constData(), S_IRWXU);
    return IsPrivateFolder(fallback) ? fallback : QString();
}

QString UserRuntimeFolder()
{
    return PrivateRuntimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/tmp"));
}
