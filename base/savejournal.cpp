#include "base/savejournal.h"

#include "base/nativepath.h"
#include "base/regularfile.h"
#include "base/safesave.h"
#include "resources/strings.h"

#include <QFile>
#include <QStandardPaths>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kJournalSuffix = QByteArrayLiteral(".journal");
const QByteArray kWritingSuffix = QByteArrayLiteral(".writing");

struct Found {
    InterruptedSave save;
    qint64 when;
};

// A journal that its writer still holds is a save going on now.
bool HeldByWriter(int fd)
{
    return ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

} // namespace

namespace SaveJournal {

QString Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1Char('/')
           + QLatin1String(LoadString(Str::CompanyKey)) + QLatin1Char('/') + QLatin1String(LoadString(Str::AppName));
}

QByteArray JournalName(const QByteArray &copyName)
{
    return copyName + kJournalSuffix;
}

QList<InterruptedSave> Interrupted()
{
    const QByteArray folder = NativePath(Folder());
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return {};
    const int at = ::dirfd(dir);
    std::vector<Found> found;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const bool journal = name.endsWith(kJournalSuffix);
        if (!journal && !name.endsWith(kWritingSuffix))
            continue;
        const int fd = ::openat(at, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        QByteArray target(4096, '\0');
        ssize_t size = -1;
        if (!HeldByWriter(fd) && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
            size = ::read(fd, target.data(), std::size_t(target.size()));
        ::close(fd);
        if (size < 0)
            continue;
        const QByteArray copyName = name.chopped(journal ? kJournalSuffix.size() : kWritingSuffix.size());
        struct stat copy {};
        // A journal being written when its writer died: the file itself was
        // not touched yet, so neither it nor its copy is needed.
        if (!journal || size == 0 || ::fstatat(at, copyName.constData(), &copy, AT_SYMLINK_NOFOLLOW) != 0) {
            ::unlinkat(at, entry->d_name, 0);
            ::unlinkat(at, copyName.constData(), 0);
            continue;
        }
        target.truncate(size);
        found.push_back({{PathFromNative(target), PathFromNative(folder + '/' + copyName)},
                         qint64(status.st_mtim.tv_sec)});
    }
    ::closedir(dir);
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.when < b.when; });
    QList<InterruptedSave> saves;
    for (const Found &f : found)
        saves.append(f.save);
    return saves;
}

bool PutBack(const InterruptedSave &save, QString *error)
{
    QFile copy;
    if (!OpenRegularFile(copy, save.copy, error))
        return false;
    const bool written = SaveFileSafely(save.target, [&copy](QIODevice &out) {
        QByteArray block(1 << 20, Qt::Uninitialized);
        for (qint64 n; (n = copy.read(block.data(), block.size())) > 0;)
            if (out.write(block.constData(), n) != n)
                return false;
        return copy.atEnd();
    }, error);
    if (written)
        Forget(save);
    return written;
}

void Forget(const InterruptedSave &save)
{
    const QByteArray copy = NativePath(save.copy);
    ::unlink(JournalName(copy).constData());
    ::unlink(copy.constData());
}

} // namespace SaveJournal
