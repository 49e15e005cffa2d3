#include "data/safesave.h"

#include "data/outofmemory.h"
#include "resources/strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <atomic>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// --- The test seam: every system call below passes through Faulted().

std::atomic<int> g_failAt{0};
std::atomic<int> g_calls{0};
std::atomic<int> g_errno{0};
std::atomic<bool> g_onward{false};
std::atomic<bool> g_fired{false};

bool Faulted()
{
    const int at = g_failAt.load();
    if (at <= 0)
        return false;
    const int call = ++g_calls;
    if (call != at && !(g_onward && call > at))
        return false;
    g_fired = true;
    errno = g_errno;
    return true;
}

template <typename Call>
auto Sys(Call call) -> decltype(call())
{
    if (Faulted())
        return -1;
    decltype(call()) result;
    do
        result = call();
    while (result == -1 && errno == EINTR);
    return result;
}

QString Reason(int errorNumber = errno)
{
    return qt_error_string(errorNumber);
}

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// A file descriptor that is closed on every path. Close() is the checked
// close of the success path: on some file systems it is where a failed
// write shows.
class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(Fd &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Fd &operator=(Fd &&other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    bool Close(QString *reason)
    {
        const bool faulted = Faulted();
        const int result = ::close(m_fd); // never retried: the descriptor is gone either way
        m_fd = -1;
        if (result == 0 && !faulted)
            return true;
        *reason = Reason(faulted ? g_errno.load() : errno);
        return false;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = Sys([&] { return ::write(fd, data, size); });
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

bool Sync(int fd, QString *reason)
{
    if (Sys([&] { return ::fsync(fd); }) == 0)
        return true;
    *reason = Reason();
    return false;
}

// Copies all of `from` to `to`, which must be empty, through `buffer`, and
// syncs it.
bool CopyContents(int from, int to, QByteArray &buffer, QString *reason)
{
    for (off_t at = 0;;) {
        const ssize_t n = Sys([&] { return ::pread(from, buffer.data(), std::size_t(buffer.size()), at); });
        if (n < 0) {
            *reason = Reason();
            return false;
        }
        if (n == 0)
            return Sync(to, reason);
        if (!WriteAll(to, buffer.constData(), std::size_t(n))) {
            *reason = Reason();
            return false;
        }
        at += n;
    }
}

// Creates `prefix` followed by six random characters as a new file.
Fd CreateUnique(const QByteArray &prefix, mode_t mode, QByteArray *name)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = prefix;
        for (int i = 0; i < 6; ++i)
            name->append(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
        const int fd = Sys([&] { return ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode); });
        if (fd >= 0 || errno != EEXIST)
            return Fd(fd);
    }
    errno = EEXIST;
    return Fd(-1);
}

// Removes a file on every path but the one that dismisses it.
class RemoveUnlessKept
{
public:
    explicit RemoveUnlessKept(QByteArray path) : m_path(std::move(path)) {}
    ~RemoveUnlessKept()
    {
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    void Keep() { m_path.clear(); }

private:
    QByteArray m_path;
};

// Runs `write` into `fd` and hands over the last buffered bytes.
class CFileSink final : public QIODevice
{
public:
    explicit CFileSink(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    bool isSequential() const override { return true; }

    bool Finish()
    {
        const bool ok = m_errno == 0 && Put(m_buffer.constData(), m_buffer.size());
        m_buffer.clear();
        return ok;
    }
    int systemError() const { return m_errno; }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_errno)
            return -1;
        if (m_buffer.size() + size > kBufferSize) {
            if (!Finish())
                return -1;
        }
        if (size >= kBufferSize)
            return Put(data, size) ? size : -1;
        m_buffer.append(data, size);
        return size;
    }

private:
    static constexpr qint64 kBufferSize = 1 << 16;

    bool Put(const char *data, qint64 size)
    {
        if (WriteAll(m_fd, data, std::size_t(size)))
            return true;
        m_errno = errno;
        setErrorString(Reason(m_errno));
        return false;
    }

    int m_fd;
    QByteArray m_buffer;
    int m_errno = 0;
};

using Writer = std::function<bool(QIODevice &)>;

bool WriteContents(int fd, const Writer &write, QString *reason)
{
    CFileSink sink(fd);
    QString outOfMemory;
    const bool written = CatchOutOfMemory([&] { return write(sink); }, &outOfMemory);
    if (sink.Finish() && written)
        return true;
    if (sink.systemError())
        *reason = Reason(sink.systemError());
    else
        *reason = !outOfMemory.isEmpty() ? outOfMemory : QStringLiteral("the contents could not be written");
    return false;
}

// The file a path finally names, after following symbolic links.
bool ResolveLinks(const QString &path, QString *target, QString *reason)
{
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(at);
        if (!info.isSymLink()) {
            *target = at;
            return true;
        }
        at = info.symLinkTarget();
    }
    *reason = Reason(ELOOP);
    return false;
}

bool RenameKeepsLinksAndFolder(const QString &target, const struct stat &file)
{
    if (file.st_nlink != 1)
        return false; // a rename would split the links
    const QByteArray folder = Native(QFileInfo(target).absolutePath());
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0 || ::access(folder.constData(), W_OK | X_OK) != 0)
        return false;
    // In a sticky folder only the file's or the folder's owner may rename.
    const uid_t me = ::geteuid();
    return !(dir.st_mode & S_ISVTX) || me == 0 || me == file.st_uid || me == dir.st_uid;
}

// Gives the new file the old one's owner, group, mode and extended
// attributes. False when any of them cannot be kept.
bool KeepAttributes(int fd, const QByteArray &oldFile, const struct stat &old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    // Owner first: changing it clears the set-id bits that the mode restores.
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid)
        && Sys([&] { return ::fchown(fd, old.st_uid, old.st_gid); }) != 0)
        return false;
    if (Sys([&] { return ::fchmod(fd, old.st_mode & 07777); }) != 0)
        return false;

    const ssize_t size = Sys([&] { return ::listxattr(oldFile.constData(), nullptr, 0); });
    if (size <= 0)
        return size == 0 || errno == ENOTSUP;
    QByteArray names(size, '\0');
    if (Sys([&] { return ::listxattr(oldFile.constData(), names.data(), std::size_t(size)); }) != size)
        return false;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t length = Sys([&] { return ::getxattr(oldFile.constData(), name.constData(), nullptr, 0); });
        if (length < 0)
            return false;
        QByteArray value(length, '\0');
        if (Sys([&] { return ::getxattr(oldFile.constData(), name.constData(), value.data(), std::size_t(length)); })
                != length
            || Sys([&] { return ::fsetxattr(fd, name.constData(), value.constData(), std::size_t(length), 0); }) != 0)
            return false;
    }
    return true;
}

enum class Outcome { Replaced, Failed, CannotKeep };

// Writes a new file beside `target` and renames it over the target. `old`
// is the target's status when there is one.
Outcome ReplaceByRename(const QString &target, const struct stat *old, const Writer &write, QString *reason)
{
    const QByteArray file = Native(target);
    const QString folder = QFileInfo(target).absolutePath();
    QByteArray temp;
    // A new file gets the usual mode (0666 less the umask); one that
    // replaces another is private until it has the old file's mode.
    Fd fd = CreateUnique(Native(folder + QStringLiteral("/.lodex-save-")), old ? 0600 : 0666, &temp);
    if (!fd.valid()) {
        *reason = Reason();
        return Outcome::Failed;
    }
    RemoveUnlessKept removeTemp(temp);
    if (old && !KeepAttributes(fd.get(), file, *old))
        return Outcome::CannotKeep;
    if (!WriteContents(fd.get(), write, reason) || !Sync(fd.get(), reason) || !fd.Close(reason))
        return Outcome::Failed;
    if (Sys([&] { return ::rename(temp.constData(), file.constData()); }) != 0) {
        *reason = Reason();
        return Outcome::Failed;
    }
    removeTemp.Keep();
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Outcome::Replaced;
}

// Copies the file behind `fd` into the backup folder; `backup` names the copy.
bool BackUp(int fd, const QString &target, QByteArray &buffer, QByteArray *backup, QString *reason)
{
    const QString folder = SafeSaveBackupFolder();
    const auto cannotKeep = [&](const QString &why) {
        *reason = QStringLiteral("cannot keep a copy of the file in %1: %2").arg(QDir::toNativeSeparators(folder), why);
        return false;
    };
    Fd copy(-1);
    if (QDir().mkpath(folder)) {
        // Cut so that the name with its suffix stays within a file name's limit.
        const QString name = QFileInfo(target).fileName().left(60);
        copy = CreateUnique(Native(QDir(folder).filePath(name + QLatin1Char('.'))), 0600, backup);
    } else {
        errno = EACCES;
    }
    if (!copy.valid())
        return cannotKeep(Reason());
    RemoveUnlessKept removeCopy(*backup);
    QString why;
    if (!CopyContents(fd, copy.get(), buffer, &why) || !copy.Close(&why))
        return cannotKeep(why);
    removeCopy.Keep();
    return true;
}

bool Restore(const QByteArray &backup, const QByteArray &file, QByteArray &buffer)
{
    Fd from(Sys([&] { return ::open(backup.constData(), O_RDONLY | O_CLOEXEC); }));
    Fd to(Sys([&] { return ::open(file.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC); }));
    QString why;
    return from.valid() && to.valid() && CopyContents(from.get(), to.get(), buffer, &why) && to.Close(&why);
}

// Writes over the target's own contents, keeping everything else it has.
bool WriteInPlace(const QString &target, const Writer &write, QString *reason)
{
    const QByteArray file = Native(target);
    Fd fd(Sys([&] { return ::open(file.constData(), O_RDWR | O_CLOEXEC); }));
    if (!fd.valid()) {
        *reason = Reason();
        return false;
    }
    // Taken before the file is touched: putting it back needs no memory.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    QByteArray backup;
    if (!BackUp(fd.get(), target, buffer, &backup, reason))
        return false;
    bool written = Sys([&] { return ::ftruncate(fd.get(), 0); }) == 0;
    if (!written)
        *reason = Reason();
    written = written && WriteContents(fd.get(), write, reason) && Sync(fd.get(), reason) && fd.Close(reason);
    if (written || Restore(backup, file, buffer)) {
        ::unlink(backup.constData());
        return written;
    }
    *reason += QStringLiteral("; the previous contents are kept in %1")
                   .arg(QDir::toNativeSeparators(QFile::decodeName(backup)));
    return false;
}

bool Save(const QString &path, const Writer &write, QString *reason)
{
    QString target;
    if (!ResolveLinks(path, &target, reason))
        return false;
    const QByteArray file = Native(target);
    struct stat old {};
    if (::stat(file.constData(), &old) != 0) {
        if (errno != ENOENT) {
            *reason = Reason();
            return false;
        }
        return ReplaceByRename(target, nullptr, write, reason) == Outcome::Replaced;
    }
    if (!S_ISREG(old.st_mode)) {
        *reason = QStringLiteral("it is not a regular file");
        return false;
    }
    // The owner's write bit counts even for root, who may write anything,
    // so that read-only means read-only.
    if (!(old.st_mode & S_IWUSR) || ::access(file.constData(), W_OK) != 0) {
        *reason = QStringLiteral("the file is read-only");
        return false;
    }
    if (RenameKeepsLinksAndFolder(target, old)) {
        const Outcome outcome = ReplaceByRename(target, &old, write, reason);
        if (outcome != Outcome::CannotKeep)
            return outcome == Outcome::Replaced;
    }
    return WriteInPlace(target, write, reason);
}

} // namespace

bool SaveFileSafely(const QString &path, const Writer &write, QString *error)
{
    QString reason;
    if (Save(path, write, &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

QString SafeSaveBackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1Char('/')
           + QLatin1String(LoadString(Str::CompanyKey)) + QLatin1Char('/') + QLatin1String(LoadString(Str::AppName));
}

namespace SaveFaults {

void Inject(int n, int errorNumber, bool onward)
{
    g_calls = 0;
    g_fired = false;
    g_errno = errorNumber;
    g_onward = onward;
    g_failAt = n;
}

bool Fired()
{
    return g_fired;
}

} // namespace SaveFaults
