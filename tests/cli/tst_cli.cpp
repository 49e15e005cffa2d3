#include "clirun.h"
#include "data/ldxfile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class CliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void dumpPrintsOneLinePerRecord()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", " Paris \"Lab\" ", "P", "192.0.2.1", "Ann\\Bo", "a@b\tc", "12", 1, 0, 2, 65535));
        list.push_back(RawRecord("K\xC3\xB6ln", "DE", "\xE9t\xE9", "", "198.51.100.7", "\x80\x9F", "", "", 0, 0, 0, 0));
        QVERIFY(LdxFile::Save(Path("two.ldx"), list, nullptr));
        const Run run = Cli({QStringLiteral("dump"), Path("two.ldx")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out,
                 QByteArray("{\"country\":\"France\",\"letters\":\"FR\",\"fullName\":\" Paris \\\"Lab\\\" \",\"shortName\":\"P\","
                            "\"ipAddress\":\"192.0.2.1\",\"contact\":\"Ann\\\\Bo\",\"email\":\"a@b\\u0009c\",\"conferenceId\":\"12\","
                            "\"addToMenu\":1,\"sendVideo\":0,\"receiveVideo\":2,\"running\":65535}\n"
                            // Valid UTF-8 stays; other texts read as Windows-1252 (80 is the euro).
                            "{\"country\":\"K\xC3\xB6ln\",\"letters\":\"DE\",\"fullName\":\"\xC3\xA9t\xC3\xA9\",\"shortName\":\"\","
                            "\"ipAddress\":\"198.51.100.7\",\"contact\":\"\xE2\x82\xAC\xC5\xB8\",\"email\":\"\",\"conferenceId\":\"\","
                            "\"addToMenu\":0,\"sendVideo\":0,\"receiveVideo\":0,\"running\":0}\n"));
    }

    void buildWritesRecordsAsGiven()
    {
        const QByteArray input = "{\"fullName\":\"  spaced  \",\"ipAddress\":\"10.0.0.1\",\"running\":1}\n"
                                 "\n"
                                 "{\"country\":\"\xC3\x89gypte\",\"addToMenu\":65535}\n";
        const Run run = Cli({QStringLiteral("build"), Path("built.ldx")}, input);
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.isEmpty());
        ReflectorList list;
        QCOMPARE(LdxFile::Load(Path("built.ldx"), list, nullptr), LdxFile::LoadResult::Loaded);
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0]->m_strFullName.toByteArray(), QByteArray("  spaced  "));
        QCOMPARE(list[0]->m_bRunning, 1);
        QCOMPARE(list[0]->m_bAddToMenu, 0);
        QCOMPARE(list[1]->m_strCountry.toByteArray(), QByteArray("\xC3\x89gypte"));
        QCOMPARE(list[1]->m_bAddToMenu, 65535); // the largest a flag holds
        // And back: dump of what build wrote gives the same records.
        const Run dump = Cli({QStringLiteral("dump"), Path("built.ldx")});
        const Run rebuilt = Cli({QStringLiteral("build"), Path("rebuilt.ldx")}, dump.out);
        QCOMPARE(rebuilt.status, 0);
        QCOMPARE(ReadAll(Path("rebuilt.ldx")), ReadAll(Path("built.ldx")));
    }

    void countries()
    {
        const Run run = Cli({QStringLiteral("countries")});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 241); // 240 rows and the final line feed
        QCOMPARE(lines[0], QByteArray("??;Don't know"));
        QCOMPARE(lines[6], QByteArray("AO;Angola"));
        QCOMPARE(lines[239], QByteArray("ZW;Zimbabwe"));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("mentions");
        QTest::newRow("missing file") << QStringList{"dump", "MISSING"} << QByteArray() << QByteArray("missing.ldx");
        QTest::newRow("malformed file") << QStringList{"dump", "BAD"} << QByteArray() << QByteArray("bad.ldx");
        QTest::newRow("bad JSON") << QStringList{"build", "OUT"} << QByteArray("{}\n{\"country\":}\n")
                                  << QByteArray("line 2");
        QTest::newRow("wrong type") << QStringList{"build", "OUT"} << QByteArray("{\"running\":\"yes\"}\n")
                                    << QByteArray("running");
        QTest::newRow("flag past its largest") << QStringList{"build", "OUT"} << QByteArray("{\"running\":65536}\n")
                                               << QByteArray("0 to 65535");
        // A database text cannot hold it: the file would read back cut short.
        QTest::newRow("zero character") << QStringList{"build", "OUT"}
                                        << QByteArray("{}\n{\"fullName\":\"a\\u0000b\"}\n") << QByteArray("line 2");
        // No UTF-8 text holds it: it would be written as '?'.
        QTest::newRow("half a surrogate pair") << QStringList{"build", "OUT"}
                                               << QByteArray("{\"shortName\":\"a\\ud800b\"}\n") << QByteArray("shortName");
        QTest::newRow("unwritable output") << QStringList{"build", "NODIR"} << QByteArray("{}\n")
                                           << QByteArray("no/such");
        // Refused at once, before anything is read: neither blocks nor reads without end.
        QTest::newRow("FIFO") << QStringList{"dump", "FIFO"} << QByteArray() << QByteArray("not a regular file");
        QTest::newRow("device") << QStringList{"dump", "ZERO"} << QByteArray() << QByteArray("not a regular file");
        QTest::newRow("phonebook is a FIFO") << QStringList{"export", "GOOD", "FIFO.ini"} << QByteArray()
                                             << QByteArray("not a regular file");
        QTest::newRow("line without end") << QStringList{"build", "OUT"} << QByteArray(17 << 20, '\0')
                                          << QByteArray("line 1 is longer than");
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << QByteArray() << QByteArray("Usage");
        QTest::newRow("missing argument") << QStringList{"dump"} << QByteArray() << QByteArray("Usage");
        QTest::newRow("check-ip without text") << QStringList{"check-ip"} << QByteArray() << QByteArray("Usage");
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, mentions);
        WriteAll(Path("bad.ldx"), Hex("0500 FFFF"));
        WriteAll(Path("out.ldx"), "previous");
        LdxFile::Save(Path("good.ldx"), SampleList(1), nullptr);
        ::mkfifo(QFile::encodeName(Path("fifo.ldx")).constData(), 0600);
        ::mkfifo(QFile::encodeName(Path("fifo.ini")).constData(), 0600);
        QFile::link(QStringLiteral("/dev/zero"), Path("zero.ldx"));
        for (QString &a : args) {
            if (a == QLatin1String("MISSING"))
                a = Path("missing.ldx");
            else if (a == QLatin1String("BAD"))
                a = Path("bad.ldx");
            else if (a == QLatin1String("OUT"))
                a = Path("out.ldx");
            else if (a == QLatin1String("NODIR"))
                a = Path("no/such/out.ldx");
            else if (a == QLatin1String("GOOD"))
                a = Path("good.ldx");
            else if (a == QLatin1String("FIFO"))
                a = Path("fifo.ldx");
            else if (a == QLatin1String("FIFO.ini"))
                a = Path("fifo.ini");
            else if (a == QLatin1String("ZERO"))
                a = Path("zero.ldx");
        }
        const Run run = Cli(args, input);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(mentions), run.err.constData());
        QCOMPARE(ReadAll(Path("out.ldx")), QByteArray("previous"));
    }

    void checkIP_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("status");
        QTest::newRow("one valid") << QStringList{"192.168.0.1"} << QByteArray("valid\n") << 0;
        QTest::newRow("all valid, lenient forms")
            << QStringList{".1..2.3.4.", "w.x.y.z", "-1.2.3.4", " 1.2.3.4"}
            << QByteArray("valid\nvalid\nvalid\nvalid\n") << 0;
        QTest::newRow("one invalid among valid, in order")
            << QStringList{"1.2.3.4", "255.255.255.256", "", "0.0.0.0"}
            << QByteArray("valid\ninvalid\ninvalid\nvalid\n") << 1;
        QTest::newRow("long number") << QStringList{"4294967297.1.1.1"} << QByteArray("invalid\n") << 1;
    }
    void checkIP()
    {
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, out);
        QFETCH(int, status);
        const Run run = Cli(QStringList{QStringLiteral("check-ip")} + texts);
        QCOMPARE(run.out, out);
        QCOMPARE(run.status, status);
        QVERIFY(run.err.isEmpty());
    }

    // Whatever stops a write, the old file stays and the failure is told:
    // a file-size limit (SIGXFSZ ignored, as a full disk fails a write) at
    // the first byte, inside the first buffer and at the last byte.
    void failedWriteChangesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        for (const char *out : {"out.ldx", "nickname.ini", "list.csv"}) {
            const QStringList args = QByteArray(out).endsWith(".ldx")
                                         ? QStringList{"build", "OUT"}
                                         : QStringList{"export", "IN", "OUT", "--now", "2026-12-07T10:30"};
            QTest::newRow(out) << args << QString::fromLatin1(out);
        }
    }
    void failedWriteChangesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        QVERIFY(LdxFile::Save(Path("in.ldx"), SampleList(5), nullptr));
        const QByteArray records = Cli({QStringLiteral("dump"), Path("in.ldx")}).out;
        const QString target = m_dir.filePath(out);
        args.replaceInStrings(QStringLiteral("IN"), Path("in.ldx"));
        args.replaceInStrings(QStringLiteral("OUT"), target);
        QVERIFY(Cli(args, records).status == 0);
        const qint64 fullSize = QFileInfo(target).size();
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        const QByteArray old = "[Keep]\r\nIP=9.9.9.9\r\n";
        for (const qint64 limit : {qint64(0), qint64(100), fullSize - 1}) {
            WriteAll(target, old);
            const QStringList limited{QStringLiteral("sh"), QStringLiteral("-c"),
                                      QStringLiteral("trap '' XFSZ; exec prlimit --fsize=$0 \"$@\""),
                                      QString::number(limit)};
            const Run run = Cli(args, records, limited);
            QCOMPARE(run.status, 2);
            QVERIFY(run.err.startsWith("lodex-cli: "));
            QCOMPARE(ReadAll(target), old);
            QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), files);
        }
    }

    // Root only: a file the user may write, in a folder the user may not,
    // is written in place, and keeps its owner.
    void writableFileInReadOnlyFolder()
    {
        if (::geteuid() != 0 || !::getpwnam("nobody"))
            QSKIP("acting as another user needs root");
        const passwd *nobody = ::getpwnam("nobody");
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("shared"));
        const QString cache = root.filePath(QStringLiteral("cache"));
        QDir().mkpath(folder);
        QDir().mkpath(cache);
        const QString target = QDir(folder).filePath(QStringLiteral("list.ldx"));
        WriteAll(target, "previous");
        ::chmod(QFile::encodeName(root.path()).constData(), 0755);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QCOMPARE(::chown(QFile::encodeName(target).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QCOMPARE(::chown(QFile::encodeName(cache).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        const QStringList asNobody{QStringLiteral("env"), QStringLiteral("XDG_CACHE_HOME=") + cache,
                                   QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                                   QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups")};
        const Run run = Cli({QStringLiteral("build"), target}, "{\"fullName\":\"new\"}\n", asNobody);
        QVERIFY2(run.status == 0, run.err.constData());
        QVERIFY(ReadAll(target).contains("new"));
        QCOMPARE(QFileInfo(target).ownerId(), nobody->pw_uid);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"list.ldx"});
    }

    // Running out of memory is a failure like any other, never an abort;
    // records that cannot fit are refused before any is built (10 million
    // empty ones in 180 MB once grew to 2.3 GB before the system stepped
    // in); and a phonebook of any shape merges in a few times its size
    // (blank lines took 17 times).
    void memoryLimit_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("limitMB");
        QTest::addColumn<int>("status");
        QTest::newRow("list too large for the memory") << QStringList{"dump", "LARGE"} << 100 << 2;
        QTest::newRow("10 million empty records") << QStringList{"dump", "EMPTY"} << 512 << 2;
        QTest::newRow("48 MB phonebook of blank lines") << QStringList{"export", "SMALL", "BLANK"} << 250 << 0;
    }
    void memoryLimit()
    {
        QFETCH(QStringList, args);
        QFETCH(int, limitMB);
        QFETCH(int, status);
        if (UnderAddressSanitizer())
            QSKIP("the sanitizer's shadow memory needs an unlimited address space");
        QVERIFY(LdxFile::Save(Path("small.ldx"), SampleList(2), nullptr));
        if (!QFile::exists(Path("large.ldx")))
            QVERIFY(LdxFile::Save(Path("large.ldx"), SampleList(400000), nullptr));
        WriteAll(Path("blank.ini"), QByteArray(48 << 20, '\n'));
        if (args.contains(QStringLiteral("EMPTY"))) {
            constexpr quint32 kEmpty = 10000000;
            const QByteArray emptyBody(16, '\0'); // eight empty texts, four flags
            const QByteArray next = Hex("0180") + emptyBody;
            QByteArray file = Hex("FFFF") + QByteArray(reinterpret_cast<const char *>(&kEmpty), 4)
                              + Hex("FFFF 0100 0A00") + "CReflector" + emptyBody;
            file.reserve(file.size() + qsizetype(kEmpty) * next.size());
            for (quint32 i = 1; i < kEmpty; ++i)
                file += next;
            WriteAll(Path("empty.ldx"), file);
        }
        args.replaceInStrings(QStringLiteral("EMPTY"), Path("empty.ldx"));
        args.replaceInStrings(QStringLiteral("LARGE"), Path("large.ldx"));
        args.replaceInStrings(QStringLiteral("SMALL"), Path("small.ldx"));
        args.replaceInStrings(QStringLiteral("BLANK"), Path("blank.ini"));
        const Run run = Cli(args, {}, {QStringLiteral("prlimit"), QStringLiteral("--as=%1").arg(qint64(limitMB) << 20)});
        QCOMPARE(run.status, status);
        if (status != 0)
            QVERIFY2(run.err.contains("not enough memory"), run.err.constData());
        if (args[1].endsWith(QLatin1String("empty.ldx")))
            QVERIFY2(run.err.contains("the file's 10000000 records"), run.err.constData());
    }

    // A save cut short leaves a journaled copy: every run names it, and
    // restore puts it back or, with --keep, lets it go.
    void interruptedSave_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("dealtWith");
        QTest::newRow("any run warns") << QStringList{"countries"} << QByteArray("cut sh") << false;
        QTest::newRow("restore") << QStringList{"restore", "FILE"} << QByteArray("earlier contents") << true;
        QTest::newRow("restore --keep") << QStringList{"restore", "--keep", "FILE"} << QByteArray("cut sh") << true;
    }
    void interruptedSave()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, after);
        QFETCH(bool, dealtWith);
        // Where lodex-cli keeps its copies, under the test's own cache.
        const QDir copies(qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Quorv/Lodex"));
        const QString target = Path("cut.ldx"), copy = copies.filePath(QStringLiteral("cut.ldx.abc123"));
        QVERIFY(WriteAll(target, "cut sh") && WriteAll(copy, "earlier contents")
                && WriteAll(copy + QStringLiteral(".journal"), QFile::encodeName(target)));
        args.replaceInStrings(QStringLiteral("FILE"), target);
        const Run run = Cli(args);
        QCOMPARE(run.status, 0);
        QCOMPARE(ReadAll(target), after);
        QCOMPARE(copies.entryList(QDir::Files).isEmpty(), dealtWith);
        QCOMPARE(run.err.contains("warning: the save of " + QFile::encodeName(target) + " was interrupted; "
                                  "its earlier contents are kept in " + QFile::encodeName(copy)),
                 !dealtWith);
        QDir(copies).removeRecursively();
    }

    void helpListsCommands()
    {
        const Run run = Cli({QStringLiteral("--help")});
        QCOMPARE(run.status, 0);
        for (const char *name : {"dump", "build", "countries", "check-ip"})
            QVERIFY(run.out.contains(name));
    }
};

LODEX_TEST(CliTest)
#include "tst_cli.moc"
