// Why not QSaveFile: it replaces a file by renaming a new one over it and
// nothing else, so it loses the owner and group of a file it replaces, its
// second hard link, and replaces a symbolic link instead of writing through
// it; it has no in-place write with a copy to put back; its last flush
// inside commit() can fail without the caller knowing; and it works from
// the path's text. Here the kernel resolves the path once, everything after
// works from what it opened, and every call's result is checked.
#include "base/safesave.h"

#include "base/nativepath.h"
#include "base/outofmemory.h"
#include "base/savejournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// --- The test seam: every system call that can change a file passes
// through Hit().
class CFaultSeam
{
public:
    void Set(int n, int errorNumber, bool onward, bool kill)
    {
        m_calls = 0;
        m_fired = false;
        m_errno = errorNumber;
        m_onward = onward;
        m_kill = kill;
        m_failAt = n;
    }

    bool Hit()
    {
        const int at = m_failAt.load();
        if (at <= 0)
            return false;
        const int call = ++m_calls;
        if (call != at && !(m_onward && call > at))
            return false;
        if (m_kill)
            ::kill(::getpid(), SIGKILL);
        m_fired = true;
        errno = m_errno;
        return true;
    }

    bool Fired() const { return m_fired; }
    int ErrorNumber() const { return m_errno; }

private:
    std::atomic<int> m_failAt{0};
    std::atomic<int> m_calls{0};
    std::atomic<int> m_errno{0};
    std::atomic<bool> m_onward{false};
    std::atomic<bool> m_kill{false};
    std::atomic<bool> m_fired{false};
};

CFaultSeam g_faults;

template <typename Call>
auto Sys(Call call) -> decltype(call())
{
    if (g_faults.Hit())
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

const QByteArray kTempPrefix = QByteArrayLiteral(".lodex-save-");
constexpr int kRandomLetters = 6;
constexpr int kLockWaitMs = 2000;

bool SameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QByteArray ProcPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A file descriptor that is closed on every path. Close() is the checked
// close of the success path: on some file systems it is where a failed
// write shows.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
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

    bool Close(QString *error)
    {
        const bool faulted = g_faults.Hit();
        const int result = ::close(m_fd); // never retried: the descriptor is gone either way
        m_fd = -1;
        if (result == 0 && !faulted)
            return true;
        *error = Reason(faulted ? g_faults.ErrorNumber() : errno);
        return false;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char *data, std::size_t size, off_t *at = nullptr)
{
    while (size > 0) {
        const ssize_t n = Sys([&] { return at ? ::pwrite(fd, data, size, *at) : ::write(fd, data, size); });
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= std::size_t(n);
        if (at)
            *at += n;
    }
    return true;
}

bool Sync(int fd, QString *error)
{
    if (Sys([&] { return ::fsync(fd); }) == 0)
        return true;
    *error = Reason();
    return false;
}

// Makes `to` hold exactly what `from` holds, through `buffer`, and syncs it.
bool CopyContents(int from, int to, QByteArray &buffer, QString *error)
{
    if (Sys([&] { return ::ftruncate(to, 0); }) != 0) {
        *error = Reason();
        return false;
    }
    for (off_t at = 0;;) {
        const ssize_t n = Sys([&] { return ::pread(from, buffer.data(), std::size_t(buffer.size()), at); });
        if (n < 0) {
            *error = Reason();
            return false;
        }
        if (n == 0)
            return Sync(to, error);
        if (!WriteAll(to, buffer.constData(), std::size_t(n), &at)) {
            *error = Reason();
            return false;
        }
    }
}

QByteArray RandomName(const QByteArray &prefix)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = prefix;
    for (int i = 0; i < kRandomLetters; ++i)
        name.append(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
    return name;
}

// Creates `prefix` followed by six random characters as a new file in `folder`.
Fd CreateUnique(int folder, const QByteArray &prefix, mode_t mode, QByteArray *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = RandomName(prefix);
        const int fd = Sys([&] {
            return ::openat(folder, name->constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        });
        if (fd >= 0 || errno != EEXIST)
            return Fd(fd);
    }
    errno = EEXIST;
    return Fd(-1);
}

// Removes a file of `folder` on every path but the one that keeps it.
class RemoveUnlessKept
{
public:
    explicit RemoveUnlessKept(int folder) : m_folder(folder) {}
    ~RemoveUnlessKept()
    {
        if (!m_name.isEmpty())
            ::unlinkat(m_folder, m_name.constData(), 0);
    }
    void Set(const QByteArray &name) { m_name = name; }
    void Keep() { m_name.clear(); }

private:
    int m_folder;
    QByteArray m_name;
};

// The writer's output: written through to the file in 64 KiB blocks, with
// the first failure kept.
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

// The old contents, for a rewrite: the file itself, or its copy when it is
// written in place. Random access, so that atEnd() and size() answer.
class CFileSource final : public QIODevice
{
public:
    explicit CFileSource(int fd) : m_fd(fd)
    {
        struct stat status {};
        if (fd >= 0 && ::fstat(fd, &status) == 0)
            m_size = status.st_size;
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    qint64 size() const override { return m_size; }
    int systemError() const { return m_errno; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 left = m_size - pos();
        if (left <= 0)
            return 0;
        const ssize_t n = Sys([&] { return ::pread(m_fd, data, std::size_t(qMin(maxSize, left)), pos()); });
        if (n >= 0)
            return n;
        m_errno = errno;
        setErrorString(Reason(m_errno));
        return -1;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    int m_fd;
    qint64 m_size = 0;
    int m_errno = 0;
};

// Runs the rewriter from `existing` (-1: nothing) into `fd`.
bool WriteContents(int fd, int existing, const CSafeSave::Rewriter &rewrite, QString *error)
{
    CFileSink sink(fd);
    CFileSource source(existing);
    QString outOfMemory;
    const bool written = CatchOutOfMemory([&] { return rewrite(source, sink); }, &outOfMemory);
    if (sink.Finish() && written && !source.systemError())
        return true;
    if (sink.systemError() || source.systemError())
        *error = Reason(sink.systemError() ? sink.systemError() : source.systemError());
    else
        *error = !outOfMemory.isEmpty() ? outOfMemory
                                         : QCoreApplication::translate("SafeSave", "the contents could not be written");
    return false;
}

// What the kernel opened for the path, locked, and where it really is.
struct Target {
    Fd file;
    struct stat status {};
    bool created = false;  // it did not exist: a failure removes it again
    Fd folder;             // its real folder, when found; else only in place
    QByteArray name;       // its entry in `folder`
    QByteArray journalName; // what the journal calls it
};

// Waits a little for another writer of the same file to finish.
bool Lock(int fd, QString *error)
{
    for (int waited = 0;; waited += 50) {
        if (Sys([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0 || errno == ENOLCK)
            return true; // ENOLCK: a file system without locks is written unlocked
        if (errno != EWOULDBLOCK) {
            *error = Reason();
            return false;
        }
        if (waited >= kLockWaitMs) {
            *error = QCoreApplication::translate("SafeSave", "the file is being written by another program");
            return false;
        }
        ::usleep(50 * 1000);
    }
}

bool OpenTarget(const QByteArray &path, Target &t, QString *error)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        struct stat before {};
        const bool exists = ::stat(path.constData(), &before) == 0;
        if (!exists && errno != ENOENT) {
            *error = Reason();
            return false;
        }
        // Checked before opening, so that no device is ever opened.
        if (exists && !S_ISREG(before.st_mode)) {
            *error = QCoreApplication::translate("SafeSave", "it is not a regular file");
            return false;
        }
        // The owner's write bit counts even for root, who may write
        // anything, so that read-only means read-only.
        if (exists && !(before.st_mode & S_IWUSR)) {
            *error = QCoreApplication::translate("SafeSave", "the file is read-only");
            return false;
        }
        const int flags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | (exists ? 0 : O_CREAT);
        Fd fd(Sys([&] { return ::open(path.constData(), flags, 0666); }));
        if (!fd.valid() || Sys([&] { return ::fstat(fd.get(), &t.status); }) != 0) {
            *error = Reason();
            return false;
        }
        if (!S_ISREG(t.status.st_mode)) {
            *error = QCoreApplication::translate("SafeSave", "it is not a regular file");
            return false;
        }
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
        if (!Lock(fd.get(), error))
            return false;
        // While we waited, another writer may have put a new file in its place.
        struct stat now {};
        if (::stat(path.constData(), &now) != 0 || !SameFile(now, t.status) || ::fstat(fd.get(), &t.status) != 0)
            continue;
        t.file = std::move(fd);
        t.created = !exists;
        return true;
    }
    *error = QCoreApplication::translate("SafeSave", "the file keeps being replaced by another program");
    return false;
}

// The real folder and name of the opened file, as the kernel knows them,
// checked to hold that very file.
void Locate(Target &t, const QByteArray &givenPath)
{
    QByteArray real(4096, '\0');
    const ssize_t n = ::readlink(ProcPath(t.file.get()).constData(), real.data(), std::size_t(real.size()));
    if (n <= 0 || n >= real.size() || real[0] != '/') {
        t.journalName = givenPath.startsWith('/') ? givenPath : NativePath(QDir::currentPath()) + '/' + givenPath;
        return;
    }
    real.truncate(n);
    t.journalName = real;
    const qsizetype slash = real.lastIndexOf('/');
    const QByteArray folder = slash == 0 ? QByteArray("/") : real.left(slash);
    const QByteArray name = real.mid(slash + 1);
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat entry {};
    if (!dir.valid() || ::fstatat(dir.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0
        || !SameFile(entry, t.status))
        return;
    t.folder = std::move(dir);
    t.name = name;
}

// A rename would not keep the file where and as the user has it.
bool RenameKeepsLinksAndFolder(const Target &t)
{
    if (!t.folder.valid() || t.status.st_nlink != 1)
        return false; // a rename would split the links
    struct stat dir {};
    if (::fstat(t.folder.get(), &dir) != 0)
        return false;
    // In a sticky folder only the file's or the folder's owner may rename.
    const uid_t me = ::geteuid();
    if ((dir.st_mode & S_ISVTX) && me != 0 && me != t.status.st_uid && me != dir.st_uid)
        return false;
    // Nor can anything be renamed or removed in an append-only folder.
    int flags = 0;
    return !(::ioctl(t.folder.get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)));
}

// Gives the new file the old one's owner, group, mode and extended
// attributes. False when any of them cannot be kept.
bool KeepAttributes(int fd, int oldFd, const struct stat &old)
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

    const ssize_t size = Sys([&] { return ::flistxattr(oldFd, nullptr, 0); });
    if (size <= 0)
        return size == 0 || errno == ENOTSUP;
    QByteArray names(size, '\0');
    if (Sys([&] { return ::flistxattr(oldFd, names.data(), std::size_t(size)); }) != size)
        return false;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t length = Sys([&] { return ::fgetxattr(oldFd, name.constData(), nullptr, 0); });
        if (length < 0)
            return false;
        QByteArray value(length, '\0');
        if (Sys([&] { return ::fgetxattr(oldFd, name.constData(), value.data(), std::size_t(length)); }) != length
            || Sys([&] { return ::fsetxattr(fd, name.constData(), value.constData(), std::size_t(length), 0); }) != 0)
            return false;
    }
    return true;
}

// Temporary files of ours that nobody writes any more: a writer holds a
// lock on its own until it renames it.
void SweepStaleTemporaries(int folder)
{
    DIR *dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(kTempPrefix) || name.size() != kTempPrefix.size() + kRandomLetters)
            continue;
        const Fd fd(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        if (fd.valid() && ::fstat(fd.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
            && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(dir);
}

// The new contents' file: unnamed while it is written where the file
// system allows, so that nothing is left if the writer dies; otherwise
// named and locked, for SweepStaleTemporaries.
struct Temporary {
    Fd fd;
    QByteArray name; // empty while unnamed
};

bool CreateTemporary(int folder, Temporary &temp)
{
    SweepStaleTemporaries(folder);
    temp.fd = Fd(Sys([&] { return ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600); }));
    if (temp.fd.valid() || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return temp.fd.valid();
    temp.fd = CreateUnique(folder, kTempPrefix, 0600, &temp.name);
    return temp.fd.valid() && Sys([&] { return ::flock(temp.fd.get(), LOCK_EX); }) == 0;
}

bool NameTemporary(int folder, Temporary &temp)
{
    for (int attempt = 0; temp.name.isEmpty() && attempt < 100; ++attempt) {
        const QByteArray name = RandomName(kTempPrefix);
        if (Sys([&] {
                return ::linkat(AT_FDCWD, ProcPath(temp.fd.get()).constData(), folder, name.constData(),
                                AT_SYMLINK_FOLLOW);
            })
            == 0)
            temp.name = name;
        else if (errno != EEXIST)
            return false;
    }
    return !temp.name.isEmpty();
}

enum class Outcome { Replaced, Failed, CannotKeep, RenameRefused };

// Writes a new file beside the target and renames it over it. When the
// rename itself is refused (a file mounted on its own, a folder that
// forbids it), `complete` holds the new contents for writing in place.
Outcome ReplaceByRename(Target &t, const CSafeSave::Rewriter &rewrite, Fd *complete, FileStamp *written,
                        QString *error)
{
    if (!RenameKeepsLinksAndFolder(t))
        return Outcome::CannotKeep;
    const int folder = t.folder.get();
    Temporary temp;
    if (!CreateTemporary(folder, temp)) {
        if (errno == EACCES || errno == EPERM || errno == EROFS)
            return Outcome::CannotKeep; // a folder we may not write to
        *error = Reason();
        return Outcome::Failed;
    }
    RemoveUnlessKept removeTemp(folder);
    removeTemp.Set(temp.name);
    if (!KeepAttributes(temp.fd.get(), t.file.get(), t.status))
        return Outcome::CannotKeep;
    if (!WriteContents(temp.fd.get(), t.file.get(), rewrite, error) || !Sync(temp.fd.get(), error))
        return Outcome::Failed;
    if (!NameTemporary(folder, temp)) {
        *error = Reason();
        return Outcome::Failed;
    }
    removeTemp.Set(temp.name);
    struct stat status {};
    ::fstat(temp.fd.get(), &status);
    if (!temp.fd.Close(error))
        return Outcome::Failed;
    if (Sys([&] { return ::renameat(folder, temp.name.constData(), folder, t.name.constData()); }) != 0) {
        if (errno != EBUSY && errno != EXDEV && errno != EPERM) {
            *error = Reason();
            return Outcome::Failed;
        }
        *complete = Fd(::openat(folder, temp.name.constData(), O_RDONLY | O_CLOEXEC));
        if (!complete->valid()) {
            *error = Reason();
            return Outcome::Failed;
        }
        return Outcome::RenameRefused;
    }
    removeTemp.Keep();
    *written = FileStamp::Of(status);
    // The rename itself reaches the disk with the folder.
    ::fsync(folder);
    return Outcome::Replaced;
}

// The old contents in the copies' folder, and the journal that names the
// file they belong to, both synced before the file is touched. The journal
// is locked for as long as this object lives: a journal that nobody holds
// tells a later run that this save never ended.
class CJournaledCopy
{
public:
    ~CJournaledCopy()
    {
        if (m_pending)
            Discard();
    }

    bool Make(const Target &t, QByteArray &buffer, QString *error)
    {
        const QString folder = SaveJournal::Folder();
        const auto cannotKeep = [&](const QString &why) {
            *error = QCoreApplication::translate("SafeSave", "cannot keep a copy of the file in %1: %2")
                          .arg(QDir::toNativeSeparators(folder), why);
            return false;
        };
        if (!QDir().mkpath(folder))
            return cannotKeep(Reason(EACCES));
        m_folder = Fd(::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!m_folder.valid())
            return cannotKeep(Reason());
        // Cut so that the name with its suffixes stays within a file name's limit.
        const QByteArray fileName = t.journalName.mid(t.journalName.lastIndexOf('/') + 1).left(60);
        QString why;
        if (!Reserve(fileName + '.', &why))
            return cannotKeep(why);
        if (!CopyContents(t.file.get(), m_copy.get(), buffer, &why) || !WriteJournal(t.journalName, &why))
            return cannotKeep(why);
        m_path = NativePath(folder) + '/' + m_copyName;
        return true;
    }

    int Descriptor() const { return m_copy.get(); }
    QString Path() const { return PathFromNative(m_path); }

    void Discard()
    {
        ::unlinkat(m_folder.get(), SaveJournal::JournalName(m_copyName).constData(), 0);
        ::unlinkat(m_folder.get(), (m_copyName + ".writing").constData(), 0);
        if (m_copy.valid())
            ::unlinkat(m_folder.get(), m_copyName.constData(), 0);
        m_pending = false;
    }
    // Left for the next run to find.
    void Keep() { m_pending = false; }

private:
    // The journal comes first, locked under a name the search takes for a
    // journal still being written, and the copy after it: whatever point a
    // writer dies at, the search finds either nothing or both.
    bool Reserve(const QByteArray &prefix, QString *error)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_copyName = RandomName(prefix);
            const QByteArray writing = m_copyName + ".writing";
            m_journal = Fd(Sys([&] {
                return ::openat(m_folder.get(), writing.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            }));
            if (!m_journal.valid() && errno == EEXIST)
                continue;
            m_pending = m_journal.valid();
            if (!m_journal.valid() || Sys([&] { return ::flock(m_journal.get(), LOCK_EX); }) != 0) {
                *error = Reason();
                return false;
            }
            m_copy = Fd(Sys([&] {
                return ::openat(m_folder.get(), m_copyName.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            }));
            if (m_copy.valid())
                return true;
            if (errno != EEXIST) {
                *error = Reason();
                return false;
            }
            ::unlinkat(m_folder.get(), writing.constData(), 0);
            m_pending = false;
        }
        *error = Reason(EEXIST);
        return false;
    }

    bool WriteJournal(const QByteArray &target, QString *error)
    {
        if (!WriteAll(m_journal.get(), target.constData(), std::size_t(target.size()))) {
            *error = Reason();
            return false;
        }
        const QByteArray writing = m_copyName + ".writing";
        if (!Sync(m_journal.get(), error)
            || Sys([&] {
                   return ::renameat(m_folder.get(), writing.constData(), m_folder.get(),
                                     SaveJournal::JournalName(m_copyName).constData());
               }) != 0) {
            *error = error->isEmpty() ? Reason() : *error;
            return false;
        }
        return Sync(m_folder.get(), error);
    }

    Fd m_folder;
    Fd m_copy;
    Fd m_journal;
    QByteArray m_copyName;
    QByteArray m_path;
    bool m_pending = false;
};

// Puts the copy back into the file it was taken from.
bool PutBack(Target &t, const CJournaledCopy &copy, QByteArray &buffer)
{
    QString why;
    if (!t.file.valid()) {
        // Its close failed: find the same file again.
        t.file = Fd(Sys([&] { return ::open(t.journalName.constData(), O_WRONLY | O_CLOEXEC); }));
        struct stat now {};
        if (!t.file.valid() || ::fstat(t.file.get(), &now) != 0 || !SameFile(now, t.status))
            return false;
    }
    return CopyContents(copy.Descriptor(), t.file.get(), buffer, &why) && t.file.Close(&why);
}

// Writes over the target's own contents, keeping everything else it has.
bool WriteInPlace(Target &t, const CSafeSave::Rewriter &rewrite, FileStamp *written, QString *error)
{
    // Taken before the file is touched: putting it back needs no memory.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    CJournaledCopy copy;
    if (!copy.Make(t, buffer, error))
        return false;
    bool done = Sys([&] { return ::ftruncate(t.file.get(), 0); }) == 0;
    if (!done)
        *error = Reason();
    done = done && WriteContents(t.file.get(), copy.Descriptor(), rewrite, error) && Sync(t.file.get(), error);
    struct stat status {};
    if (done && ::fstat(t.file.get(), &status) == 0)
        *written = FileStamp::Of(status);
    done = done && t.file.Close(error);
    if (done || PutBack(t, copy, buffer)) {
        copy.Discard();
        return done;
    }
    copy.Keep();
    *error += QCoreApplication::translate("SafeSave", "; the previous contents are kept in %1")
                   .arg(QDir::toNativeSeparators(copy.Path()));
    return false;
}

// A file that this save created and could not fill goes again, unless
// someone else has written to it meanwhile.
void RemoveIfCreated(const Target &t)
{
    struct stat entry {};
    if (t.created && t.folder.valid() && ::fstatat(t.folder.get(), t.name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0
        && SameFile(entry, t.status) && entry.st_size == 0)
        ::unlinkat(t.folder.get(), t.name.constData(), 0);
}

CSafeSave::Rewriter CopyOf(int fd)
{
    return [fd](QIODevice &, QIODevice &out) {
        CFileSource source(fd);
        QByteArray block(1 << 16, Qt::Uninitialized);
        for (qint64 n; (n = source.read(block.data(), block.size())) > 0;)
            if (out.write(block.constData(), n) != n)
                return false;
        return source.atEnd() && !source.systemError();
    };
}

} // namespace

CSafeSave::CSafeSave(QString path) : m_path(std::move(path)) {}

CSafeSave::Result CSafeSave::Write(const Writer &write)
{
    return Rewrite([&write](QIODevice &, QIODevice &out) { return write(out); });
}

CSafeSave::Result CSafeSave::Rewrite(const Rewriter &rewrite)
{
    m_error.clear();
    m_written = FileStamp();
    const QByteArray path = NativePath(m_path);
    if (path.isEmpty() || path.endsWith('/')) {
        m_error = QCoreApplication::translate("SafeSave", "it is not a regular file");
        return Result::Failed;
    }
    Target t;
    if (!OpenTarget(path, t, &m_error))
        return Result::Failed;
    if (m_unchangedSince.IsKnown() && !t.created && FileStamp::Of(t.status) != m_unchangedSince) {
        m_error = QCoreApplication::translate("SafeSave", "the file has been changed by another program");
        return Result::ChangedOnDisk;
    }
    Locate(t, path);
    Fd complete;
    bool saved = false;
    switch (ReplaceByRename(t, rewrite, &complete, &m_written, &m_error)) {
    case Outcome::Replaced:
        return Result::Saved;
    case Outcome::Failed:
        break;
    case Outcome::CannotKeep:
        saved = WriteInPlace(t, rewrite, &m_written, &m_error);
        break;
    case Outcome::RenameRefused:
        saved = WriteInPlace(t, CopyOf(complete.get()), &m_written, &m_error);
        break;
    }
    if (saved)
        return Result::Saved;
    RemoveIfCreated(t);
    return Result::Failed;
}

bool SaveFileSafely(const QString &path, const CSafeSave::Writer &write, QString *error)
{
    return RewriteFileSafely(path, [&write](QIODevice &, QIODevice &out) { return write(out); }, error);
}

bool RewriteFileSafely(const QString &path, const CSafeSave::Rewriter &rewrite, QString *error)
{
    CSafeSave save(path);
    if (save.Rewrite(rewrite) == CSafeSave::Result::Saved)
        return true;
    if (error)
        *error = save.Error();
    return false;
}

namespace SaveFaults {

void Inject(int n, int errorNumber, bool onward)
{
    g_faults.Set(n, errorNumber, onward, false);
}

void KillAt(int n)
{
    g_faults.Set(n, 0, false, true);
}

bool Fired()
{
    return g_faults.Fired();
}

} // namespace SaveFaults
