#include "data/regularfile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OpenRegularFile(QFile &file, const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("it is not a regular file");
        return false;
    }
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
        *error = QStringLiteral("the file is too large (%1 bytes, at most %2)").arg(size).arg(maxSize);
        return false;
    }
    *contents = file.read(size);
    if (contents->size() != size) {
        *error = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("the file changed while it was read");
        return false;
    }
    return true;
}
