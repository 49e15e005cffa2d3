// The safe save where its faults live: in the kernel's view of a path, in
// other processes writing the same file, in a process killed mid-save.
#include "base/nativepath.h"
#include "base/regularfile.h"
#include "base/safesave.h"
#include "base/savejournal.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kOld = "the old contents\n";

QByteArray Contents(char fill)
{
    return QByteArray(300 * 1024, fill); // several write buffers
}

bool Save(const QString &path, const QByteArray &bytes, QString *error = nullptr)
{
    return SaveFileSafely(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); }, error);
}

// Runs `work` in a child process; true when it ended by itself.
template <typename Work>
bool InChild(Work work, pid_t *child = nullptr)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        work();
        ::_exit(0);
    }
    if (child) {
        *child = pid;
        return true;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status);
}

QStringList Temporaries(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".lodex-save-*")}, QDir::Files | QDir::Hidden);
}

// Read by the name's exact bytes, which ReadAll's QFile cannot do.
QByteArray ReadExact(const QString &path)
{
    QByteArray bytes;
    QString error;
    return ReadRegularFile(path, 1 << 30, &bytes, &error) ? bytes : "(" + error.toUtf8() + ")";
}

bool Link(const QString &from, const QString &to)
{
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

class SafeSaveTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString At(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QDir copies(SaveJournal::Folder());
        for (const QString &name : copies.entryList(QDir::Files | QDir::Hidden))
            QFile::remove(copies.filePath(name));
    }

    // The kernel resolves the name, links and ".." included, and file names
    // are bytes: the file changed is the one that `cat` would show.
    void writesTheFileTheKernelOpens_data()
    {
        QTest::addColumn<QString>("given");   // relative to the folder
        QTest::addColumn<QString>("written"); // the file that must change
        QTest::newRow("\"..\" after a linked folder") << "link/../plain.txt" << "real/plain.txt";
        QTest::newRow("link to ../ beside a linked folder") << "link/nick.ini" << "real/nick.ini";
        QTest::newRow("dangling link") << "dangling" << "real/new.txt";
        QTest::newRow("Latin-1 name") << PathFromNative("list-\xfc.txt") << PathFromNative("list-\xfc.txt");
    }
    void writesTheFileTheKernelOpens()
    {
        QFETCH(QString, given);
        QFETCH(QString, written);
        QVERIFY(QDir().mkpath(At("real/sub")));
        for (const char *decoy : {"plain.txt", "nick.ini", "real/plain.txt", "real/nick.ini"})
            QVERIFY(WriteAll(At(decoy), kOld));
        QVERIFY(QFile::link(QStringLiteral("real/sub"), At("link")));
        QVERIFY(QFile::link(QStringLiteral("../nick.ini"), At("real/sub/nick.ini")));
        QVERIFY(QFile::link(QStringLiteral("real/new.txt"), At("dangling")));
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        QString error;
        const bool saved = Save(given, "new", &error);
        QDir::setCurrent(here);
        QVERIFY2(saved, qPrintable(error));
        const QByteArray contents = ReadExact(At(written));
        ::unlink(NativePath(At(written)).constData()); // which QDir could not remove
        QCOMPARE(contents, QByteArray("new"));
        for (const char *decoy : {"plain.txt", "nick.ini", "real/plain.txt", "real/nick.ini"})
            if (At(decoy) != At(written))
                QCOMPARE(ReadAll(At(decoy)), kOld);
        QVERIFY(!QFile::exists(At(QStringLiteral("list-\uFFFD.txt"))));
    }

    // With fs.protected_symlinks on (Debian's default), a link another user
    // put in a shared sticky folder is not followed.
    void refusesALinkPlantedInAStickyFolder()
    {
        const passwd *nobody = ::getpwnam("nobody");
        if (ReadAll(QStringLiteral("/proc/sys/fs/protected_symlinks")).trimmed() != "1" || ::geteuid() != 0 || !nobody)
            QSKIP("needs root and fs.protected_symlinks=1");
        QVERIFY(WriteAll(At("victim"), kOld));
        QVERIFY(QDir().mkpath(At("shared")));
        ::chmod(QFile::encodeName(At("shared")).constData(), 01777);
        const QByteArray link = QFile::encodeName(At("shared/out.txt"));
        QVERIFY(QFile::link(At("victim"), At("shared/out.txt")));
        QCOMPARE(::lchown(link.constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QVERIFY(!Save(At("shared/out.txt"), "new"));
        QCOMPARE(ReadAll(At("victim")), kOld);
    }

    // Killed at every system call of either way of saving, the file is
    // the old one, the new one, or cut short with a journaled copy that
    // the next run finds and puts back; the next save leaves nothing of it.
    void killedAtEveryCall_data()
    {
        QTest::addColumn<bool>("inPlace"); // a second hard link makes it write in place
        QTest::newRow("by rename") << false;
        QTest::newRow("in place") << true;
    }
    void killedAtEveryCall()
    {
        QFETCH(bool, inPlace);
        const QString path = At("list.ldx");
        const QByteArray fresh = Contents('n');
        for (int n = 1;; ++n) {
            QVERIFY(WriteAll(path, kOld));
            QFile::remove(At("other link"));
            QVERIFY(!inPlace || Link(path, At("other link")));
            if (InChild([&] {
                    SaveFaults::KillAt(n);
                    Save(path, fresh);
                }))
                break;
            const QByteArray after = ReadAll(path);
            const QList<InterruptedSave> interrupted = SaveJournal::Interrupted();
            QVERIFY2(interrupted.size() == 1 || (interrupted.isEmpty() && (after == kOld || after == fresh)),
                     qPrintable(QStringLiteral("killed at call %1").arg(n)));
            if (!interrupted.isEmpty()) {
                QCOMPARE(interrupted[0].target, QFileInfo(path).canonicalFilePath());
                QString error;
                QVERIFY2(SaveJournal::PutBack(interrupted[0], &error), qPrintable(error));
                QCOMPARE(ReadAll(path), kOld);
            }
            QVERIFY(Save(path, "next"));
            QCOMPARE(Temporaries(m_dir->path()), QStringList());
            QCOMPARE(QDir(SaveJournal::Folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
        QCOMPARE(ReadAll(path), fresh);
    }

    // Two writers at once: one waits for the other, and the file is one of
    // the two lists whole.
    void twoWritersLeaveOneWholeFile_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("by rename") << false;
        QTest::newRow("in place") << true;
    }
    void twoWritersLeaveOneWholeFile()
    {
        QFETCH(bool, inPlace);
        const QString path = At("nickname.ini");
        QVERIFY(WriteAll(path, kOld));
        QVERIFY(!inPlace || Link(path, At("other link")));
        const QByteArray a = QByteArray(3 << 20, 'a'), b = QByteArray(2 << 20, 'b');
        pid_t first = 0, second = 0;
        InChild([&] { ::_exit(Save(path, a) ? 0 : 1); }, &first);
        InChild([&] { ::_exit(Save(path, b) ? 0 : 1); }, &second);
        int statusA = 0, statusB = 0;
        ::waitpid(first, &statusA, 0);
        ::waitpid(second, &statusB, 0);
        // On a slow machine the second may give up waiting, and says so.
        const QByteArray after = ReadAll(path);
        QVERIFY((after == a && WEXITSTATUS(statusA) == 0) || (after == b && WEXITSTATUS(statusB) == 0));
    }

    // A writer that holds the file longer than a save waits: the save gives
    // up with a reason and nothing changed.
    void aFileBeingWrittenIsLeftAlone()
    {
        const QString path = At("busy.ldx");
        QVERIFY(WriteAll(path, kOld));
        const int held = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        QString error;
        QVERIFY(!Save(path, "new", &error));
        ::close(held);
        QVERIFY2(error.contains(QLatin1String("being written by another program")), qPrintable(error));
        QCOMPARE(ReadAll(path), kOld);
    }

    // A file bind-mounted on its own refuses the rename (EBUSY): it is
    // written in place instead.
    void bindMountedFileIsWrittenInPlace()
    {
        const QString path = At("mounted.ldx");
        QVERIFY(WriteAll(path, kOld) && WriteAll(At("source.ldx"), kOld));
        if (::mount(QFile::encodeName(At("source.ldx")).constData(), QFile::encodeName(path).constData(), nullptr,
                    MS_BIND, nullptr)
            != 0)
            QSKIP("needs root and a kernel that allows bind mounts here");
        QString error;
        const bool saved = Save(path, "new", &error);
        ::umount(QFile::encodeName(path).constData());
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(ReadAll(At("source.ldx")), QByteArray("new"));
        QCOMPARE(Temporaries(m_dir->path()), QStringList());
    }

    // The stamp taken at reading tells a file another program changed.
    void changedOnDiskIsNoticed_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("refused");
        QTest::newRow("unchanged") << "" << false;
        QTest::newRow("rewritten in place") << "write" << true;
        QTest::newRow("replaced by another file") << "replace" << true;
        QTest::newRow("deleted") << "delete" << false;
    }
    void changedOnDiskIsNoticed()
    {
        QFETCH(QString, change);
        QFETCH(bool, refused);
        const QString path = At("doc.ldx");
        QVERIFY(WriteAll(path, kOld));
        QFile read;
        FileStamp stamp;
        QString error;
        QVERIFY(OpenRegularFile(read, path, &error, &stamp));
        read.close();
        if (change == QLatin1String("write")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append) && file.write("more") == 4);
        } else if (change == QLatin1String("replace")) {
            QVERIFY(WriteAll(At("other"), kOld) && QFile::remove(path) && QFile::rename(At("other"), path));
        } else if (change == QLatin1String("delete")) {
            QVERIFY(QFile::remove(path));
        }
        const QByteArray before = ReadAll(path);
        CSafeSave save(path);
        save.RequireUnchangedSince(stamp);
        const auto result = save.Write([](QIODevice &out) { return out.write("new") == 3; });
        QCOMPARE(result == CSafeSave::Result::ChangedOnDisk, refused);
        QCOMPARE(ReadAll(path), refused ? before : QByteArray("new"));
    }
};

LODEX_TEST(SafeSaveTest)
#include "tst_safesave.moc"
