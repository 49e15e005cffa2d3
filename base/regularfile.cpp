#include "base/regularfile.h"

#include "base/nativepath.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileStamp FileStamp::Of(const struct stat &status)
{
    FileStamp stamp;
    stamp.device = quint64(status.st_dev);
    stamp.inode = quint64(status.st_ino);
    stamp.size = qint64(status.st_size);
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return stamp;
}

bool OpenRegularFile(QFile &file, const QString &path, QString *error, FileStamp *stamp)
{
    const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error = QCoreApplication::translate("RegularFile", "it is not a regular file");
        return false;
    }
    if (stamp)
        *stamp = FileStamp::Of(status);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    return true;
}

bool ReadRegularFile(const QString &path, qint64 maxSize, QByteArray *contents, QString *error)
{
    QFile file;
    if (!OpenRegularFile(file, path, error))
        return false;
    const qint64 size = file.size();
    if (size > maxSize) {
        *error = QCoreApplication::translate("RegularFile", "the file is too large (%1 bytes, at most %2)")
                     .arg(size)
                     .arg(maxSize);
        return false;
    }
    *contents = file.read(size);
    if (contents->size() != size) {
        *error = file.error() != QFileDevice::NoError
                     ? file.errorString()
                     : QCoreApplication::translate("RegularFile", "the file changed while it was read");
        return false;
    }
    return true;
}
