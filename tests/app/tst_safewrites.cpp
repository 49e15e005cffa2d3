// Every writer of a user's file, failed at every system call in turn and by
// the operating system itself: a failure is reported and leaves the old
// file as it was, a success leaves the new contents, and nothing is left
// behind either way.
#include "base/safesave.h"
#include "base/savejournal.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "registration/registrationfiles.h"
#include "registration/shellregistration.h"
#include "support/appfixture.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/printtarget.h"
#include "view/printjobs.h"
#include "view/reportprinter.h"

#include <QDir>
#include <QDirIterator>
#include <QPrinter>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Outcome {
    bool ok = false;
    QString error;
    bool stateAgrees = true; // what the program shows agrees with the outcome
};

struct Writer {
    QString fileName;
    QByteArray oldBytes;
    std::function<Outcome(const QString &path)> run;
};

// What the writers write: by default well past 16 KiB in every format;
// a few records stay inside the first buffer.
constexpr int kManyRecords = 400;
constexpr int kFewRecords = 5;
int g_recordCount = kManyRecords;

// File > Save of a modified document, as the window runs it.
Outcome SaveDocument(const QString &path)
{
    DocumentFilesFixture f;
    f.doc.m_listReflectors = SampleList(g_recordCount);
    f.doc.SetPathName(path);
    f.doc.SetModifiedFlag(true);
    const bool saved = f.files.OnFileSave();
    const bool agrees = f.doc.IsModified() != saved && f.prompts.messages.size() == (saved ? 0 : 1)
                        && (saved || f.prompts.messages[0].contains(path));
    return {saved, f.prompts.messages.value(0), agrees};
}

// File > Export; its message names the file and the reason.
Outcome ExportDocument(const QString &path)
{
    CLodexDoc doc;
    FakePrompts prompts;
    doc.m_pPrompts = &prompts;
    doc.m_listReflectors = SampleList(g_recordCount);
    const bool written = path.endsWith(QLatin1String(".ini")) ? doc.ExportPhonebook(path)
                                                               : doc.ExportSemicolonList(path);
    const bool agrees = prompts.messages.size() == (written ? 0 : 1) && (written || prompts.messages[0].contains(path));
    return {written, prompts.messages.value(0), agrees};
}

Outcome PrintToPdf(const QString &path)
{
    const ReflectorList list = SampleList(g_recordCount);
    CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
    Outcome outcome;
    outcome.ok = PrintJobs::PrintDirect(report, {PrintTarget::PdfFile, path}, &outcome.error);
    return outcome;
}

// File > Print with "Print to file" chosen in the print dialog.
Outcome PrintToFileFromDialog(const QString &path)
{
    const ReflectorList list = SampleList(g_recordCount);
    CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    FakePrompts prompts;
    PrintJobs::PrintWithoutDialog(nullptr, printer, report, prompts);
    return {prompts.messages.isEmpty(), prompts.messages.value(0)};
}

// Register edits the user's own mimeapps.list beside the files it adds.
Outcome RegisterForUser(const QString &mimeAppsList)
{
    const QDir home = QFileInfo(mimeAppsList).dir();
    QDir(home.filePath(QStringLiteral("data"))).removeRecursively();
    XdgLocations where{home.filePath(QStringLiteral("data")), home.path(), {home.filePath(QStringLiteral("system"))}};
    Outcome outcome;
    outcome.ok = CShellRegistration(where).Register(UserRegistrationFiles(QStringLiteral("/opt/lodex/bin/lodex")),
                                                     &outcome.error);
    return outcome;
}

const std::map<QString, Writer> &Writers()
{
    static const std::map<QString, Writer> writers{
        {"save", {"list.ldx", Hex("01 00 FF FF 01 00 0A 00") + "CReflector" + QByteArray(28, '\0'), SaveDocument}},
        {"phonebook", {"nickname.ini", "[Keep]\r\nIP=9.9.9.9\r\n", ExportDocument}},
        {"semicolon list", {"list.csv", "the previous list\r\n", ExportDocument}},
        {"pdf", {"list.pdf", "%PDF-1.4 the previous print", PrintToPdf}},
        {"print to file", {"printed.pdf", "%PDF-1.4 the previous print", PrintToFileFromDialog}},
        {"registration", {"mimeapps.list", "[Default Applications]\ntext/plain=other.desktop\n", RegisterForUser}},
    };
    return writers;
}

// Files that a save may create and must not leave: temporary files beside
// the target, and copies in the backup folder.
QStringList Leftovers(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (QFileInfo(it.next()).fileName().startsWith(QLatin1String(".lodex-save-")))
            found << it.filePath();
    const QDir backups(SaveJournal::Folder());
    for (const QString &name : backups.entryList(QDir::Files | QDir::Hidden | QDir::System))
        found << backups.filePath(name);
    return found;
}

void AddWriterRows(const QStringList &names)
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<bool>("linked"); // a second hard link makes the save write in place
    for (const QString &name : names) {
        QTest::newRow(qPrintable(name)) << name << false;
        QTest::newRow(qPrintable(name + QStringLiteral(", hard-linked"))) << name << true;
    }
}

const QStringList kDocumentWriters{"save", "phonebook", "semicolon list", "pdf", "print to file"};

bool IsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class SafeWritesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_link;

    // The writer's old file, alone in a fresh folder, hard-linked on request.
    const Writer &Prepare(const QString &name, bool linked, const QString &folder = QString())
    {
        const Writer &writer = Writers().at(name);
        const QString dir = folder.isEmpty() ? m_dir->path() : folder;
        m_path = QDir(dir).filePath(writer.fileName);
        m_link = QDir(dir).filePath(QStringLiteral("other name"));
        QFile::remove(m_path);
        QFile::remove(m_link);
        WriteAll(m_path, writer.oldBytes);
        if (linked && ::link(QFile::encodeName(m_path).constData(), QFile::encodeName(m_link).constData()) != 0)
            qFatal("cannot make a hard link in %s", qPrintable(dir));
        return writer;
    }

    // Failed and unchanged, or written whole; in place when linked.
    void CheckAllOrNothing(const Writer &writer, const Outcome &outcome, bool linked)
    {
        QVERIFY2(outcome.stateAgrees, qPrintable(outcome.error));
        if (outcome.ok) {
            QVERIFY(ReadAll(m_path) != writer.oldBytes);
        } else {
            QVERIFY(!outcome.error.isEmpty());
            QCOMPARE(ReadAll(m_path), writer.oldBytes);
        }
        if (linked)
            QCOMPARE(ReadAll(m_link), ReadAll(m_path));
        QCOMPARE(Leftovers(m_dir->path()), QStringList());
    }

private slots:
    void init()
    {
        g_recordCount = kManyRecords;
        m_dir = std::make_unique<QTemporaryDir>();
        const QDir backups(SaveJournal::Folder());
        for (const QString &name : backups.entryList(QDir::Files | QDir::Hidden | QDir::System))
            QFile::remove(backups.filePath(name));
    }

    void cleanup()
    {
        SaveFaults::Inject(0, 0);
    }

    // As SQLite tests its I/O: the first call fails, then the second, ...
    // until the writer gets through without meeting the fault. `onward`:
    // every call fails from there on, so that even putting the old
    // contents back fails; the message must then name the copy.
    void failEveryCallInTurn_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("onward");
        for (const QString &name : kDocumentWriters) {
            QTest::newRow(qPrintable(name)) << name << false << false;
            QTest::newRow(qPrintable(name + QStringLiteral(", hard-linked"))) << name << true << false;
            QTest::newRow(qPrintable(name + QStringLiteral(", hard-linked, onward"))) << name << true << true;
        }
        QTest::newRow("registration") << "registration" << false << false;
    }
    void failEveryCallInTurn()
    {
        QFETCH(QString, writer);
        QFETCH(bool, linked);
        QFETCH(bool, onward);
        for (int n = 1;; ++n) {
            const Writer &w = Prepare(writer, linked);
            SaveFaults::Inject(n, n % 2 ? EIO : ENOSPC, onward);
            const Outcome outcome = w.run(m_path);
            const bool fired = SaveFaults::Fired();
            SaveFaults::Inject(0, 0);
            // Even putting the old contents back failed: they are in the
            // copy that the message names.
            const QRegularExpression named(QRegularExpression::escape(SaveJournal::Folder())
                                           + QStringLiteral("/[^/\\n]*\\.[a-z0-9]{6}"));
            const QString copy = named.match(outcome.error).captured();
            if (onward && !outcome.ok && !copy.isEmpty()) {
                QCOMPARE(ReadAll(copy), w.oldBytes);
                QCOMPARE(SaveJournal::Interrupted().size(), 1);
                QFile::remove(copy);
                QFile::remove(copy + QStringLiteral(".journal"));
                WriteAll(m_path, w.oldBytes);
            }
            CheckAllOrNothing(w, outcome, linked);
            if (QTest::currentTestFailed()) {
                qWarning("with the fault at call %d", n);
                return;
            }
            if (!fired) {
                QVERIFY(outcome.ok);
                return;
            }
        }
    }

    // A file-size limit (as on a full disk) cutting the write at its very
    // start, inside the first buffer, past 16 KiB and at the last byte.
    void fileSizeLimit_data()
    {
        AddWriterRows(kDocumentWriters);
    }
    void fileSizeLimit()
    {
        QFETCH(QString, writer);
        QFETCH(bool, linked);
        const Writer &w = Writers().at(writer);
        for (const int records : {kFewRecords, kManyRecords}) {
            g_recordCount = records;
            QTemporaryDir probe;
            QVERIFY(w.run(probe.filePath(w.fileName)).ok);
            const qint64 fullSize = QFileInfo(probe.filePath(w.fileName)).size();
            for (const qint64 limit : {qint64(0), qint64(100), qint64(16384 + 100), fullSize - 1}) {
                if (limit >= fullSize)
                    continue;
                Prepare(writer, linked);
                const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
                rlimit previous{};
                getrlimit(RLIMIT_FSIZE, &previous);
                rlimit small = previous;
                small.rlim_cur = rlim_t(limit);
                setrlimit(RLIMIT_FSIZE, &small);
                const Outcome outcome = w.run(m_path);
                setrlimit(RLIMIT_FSIZE, &previous);
                std::signal(SIGXFSZ, previousHandler);
                QVERIFY2(!outcome.ok, qPrintable(QStringLiteral("%1 records, limit %2").arg(records).arg(limit)));
                CheckAllOrNothing(w, outcome, linked);
            }
        }
    }

    // Root only: a disk that is really full.
    void fullDisk_data()
    {
        AddWriterRows(kDocumentWriters);
    }
    void fullDisk()
    {
        QFETCH(QString, writer);
        QFETCH(bool, linked);
        if (!IsRoot())
            QSKIP("mounting a small file system needs root");
        const QString disk = m_dir->filePath(QStringLiteral("disk"));
        QDir().mkpath(disk);
        if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("this machine does not let tmpfs be mounted");
        // Few records: they fit the write buffer, and the full disk shows
        // only when it is flushed.
        g_recordCount = kFewRecords;
        const Writer &w = Prepare(writer, linked, disk);
        QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly);
        while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
        }
        filler.close();
        const Outcome outcome = w.run(m_path);
        const QByteArray after = ReadAll(m_path);
        const QByteArray link = ReadAll(m_link);
        const QStringList left = Leftovers(disk);
        ::umount(QFile::encodeName(disk).constData());
        // In place, the new contents may take the old one's room.
        QVERIFY(!outcome.ok || linked);
        QVERIFY(outcome.ok || !outcome.error.isEmpty());
        if (!outcome.ok)
            QCOMPARE(after, w.oldBytes);
        if (linked)
            QCOMPARE(link, after);
        QCOMPARE(left, QStringList());
    }

    // A successful save keeps the file's owner, group, mode, links, and a
    // symbolic link stays a link to the file it named.
    void keepsWhatTheUserHad_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("kind");
        for (const QString &name : kDocumentWriters)
            for (const char *kind : {"owned by nobody", "mode 0640", "hard link", "symbolic link"})
                QTest::newRow(qPrintable(name + QStringLiteral(", ") + QLatin1String(kind))) << name << kind;
    }
    void keepsWhatTheUserHad()
    {
        QFETCH(QString, writer);
        QFETCH(QString, kind);
        const passwd *nobody = ::getpwnam("nobody");
        if (kind == QLatin1String("owned by nobody") && (!IsRoot() || !nobody))
            QSKIP("giving a file away needs root");
        const Writer &w = Prepare(writer, kind == QLatin1String("hard link"));
        const QByteArray file = QFile::encodeName(m_path);
        if (kind == QLatin1String("owned by nobody"))
            QCOMPARE(::chown(file.constData(), nobody->pw_uid, nobody->pw_gid), 0);
        ::chmod(file.constData(), kind == QLatin1String("mode 0640") ? 0640 : 0604);
        QString saveAt = m_path;
        if (kind == QLatin1String("symbolic link")) {
            saveAt = m_dir->filePath(QStringLiteral("link ") + w.fileName);
            QVERIFY(QFile::link(m_path, saveAt));
        }
        struct stat before {}, after {};
        ::stat(file.constData(), &before);
        const Outcome outcome = w.run(saveAt);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        ::stat(file.constData(), &after);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_nlink, before.st_nlink);
        QVERIFY(ReadAll(m_path) != w.oldBytes);
        if (kind == QLatin1String("symbolic link"))
            QCOMPARE(QFileInfo(saveAt).symLinkTarget(), m_path);
        QCOMPARE(Leftovers(m_dir->path()), QStringList());
    }

    // Save over a file that another program replaced since it was opened
    // asks first; the program's own saves do not count.
    void saveAsksBeforeWritingOverChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(CUserPrompts::IdYes);
        QTest::newRow("No") << int(CUserPrompts::IdNo);
    }
    void saveAsksBeforeWritingOverChanges()
    {
        QFETCH(int, answer);
        const bool yes = answer == CUserPrompts::IdYes;
        DocumentFilesFixture f;
        const QString path = m_dir->filePath(QStringLiteral("doc.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(2), nullptr));
        QCOMPARE(f.files.OpenDocumentFile(path), OpenResult::Opened);
        f.doc.SetModifiedFlag(true);
        QVERIFY(f.files.OnFileSave());
        QVERIFY(LdxFile::Save(path, SampleList(5), nullptr));
        const QByteArray theirs = ReadAll(path);
        f.doc.SetModifiedFlag(true);
        f.prompts.answers << CUserPrompts::Answer(answer);
        QCOMPARE(f.files.OnFileSave(), yes);
        QCOMPARE(f.prompts.messages, QStringList{path + QStringLiteral(" has been changed by another program since "
                                                                        "it was opened. Save over it?")});
        QCOMPARE(ReadAll(path) == theirs, !yes);
        QCOMPARE(f.doc.IsModified(), !yes);
    }

    // A save cut short is offered back at the next start.
    void offersInterruptedSaves_data()
    {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("askedAgain"); // at the next start
        QTest::newRow("put back") << QList<int>{0} << QByteArray("earlier") << 0 << false;
        QTest::newRow("keep as is") << QList<int>{1} << QByteArray("cut sh") << 0 << false;
        QTest::newRow("show, then put back") << QList<int>{2, 0} << QByteArray("earlier") << 1 << false;
        QTest::newRow("closed") << QList<int>{-1} << QByteArray("cut sh") << 0 << true;
    }
    void offersInterruptedSaves()
    {
        QFETCH(QList<int>, choices);
        QFETCH(QByteArray, after);
        QFETCH(int, shown);
        QFETCH(bool, askedAgain);
        const QString target = m_dir->filePath(QStringLiteral("cut.ldx"));
        const QString copy = QDir(SaveJournal::Folder()).filePath(QStringLiteral("cut.ldx.abc123"));
        QVERIFY(WriteAll(target, "cut sh") && WriteAll(copy, "earlier")
                && WriteAll(copy + QStringLiteral(".journal"), QFile::encodeName(target)));
        DocumentFilesFixture f;
        f.prompts.choices = choices;
        QStringList showed;
        f.files.OfferInterruptedSaves([&](const QString &path) { showed << path; });
        QCOMPARE(ReadAll(target), after);
        QCOMPARE(showed, QStringList(shown, copy));
        QCOMPARE(SaveJournal::Interrupted().size(), askedAgain ? 1 : 0);
    }
};

LODEX_TEST(SafeWritesTest)
#include "tst_safewrites.moc"
