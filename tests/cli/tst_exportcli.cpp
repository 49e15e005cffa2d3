#include "data/ldxfile.h"
#include "exchange/datetimestamp.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ExportRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// lodex-cli export in the locale `locale` (LC_ALL).
ExportRun RunExport(const QStringList &args, const QString &locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LODEX_BIN_DIR "/lodex-cli"), QStringList{QStringLiteral("export")} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

class ExportCliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", "Paris Lab", "Paris", "192.0.2.1", "Ann", "a@b", "3", 1, 0, 1, 1));
        list.push_back(RawRecord("Japan", "JP", "Stopped", "Kyoto", "192.0.2.2", "", "", "0", 1, 1, 1, 0));
        QVERIFY(LdxFile::Save(Path("two.ldx"), list, nullptr));
    }

    void exportsAsTheProgramDoes_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray lines = "France;FR;Paris Lab;Paris;192.0.2.1;Ann;a@b;3;AM:Yes;SV:No;RV:Yes;IR:Yes\r\n"
                                 "Japan;JP;Stopped;Kyoto;192.0.2.2;;;0;AM:Yes;SV:Yes;RV:Yes;IR:No\r\n";
        QTest::newRow("list, de_DE") << "list.csv" << "de_DE.UTF-8" << "LDX2 List 07.03.24 @ 14:05\r\n" + lines;
        QTest::newRow("list, C") << "list" << "C" << "LDX2 List 7 Mar 2024 @ 14:05\r\n" + lines;
        QTest::newRow("phonebook, en_US")
            << "NICKNAME.INI" << "en_US.UTF-8"
            << QByteArray("[_LDX List 3/7/24 2:05 PM_]\r\nIP=0.0.0.0\r\nSend Video=No\r\nReceive Video=No\r\n"
                          "Add To Menu=Yes\r\nConferenceID=0\r\n"
                          "\r\n[(FR) Paris]\r\nIP=192.0.2.1\r\nSend Video=No\r\nReceive Video=Yes\r\n"
                          "Add To Menu=Yes\r\nConferenceID=3\r\n");
    }
    void exportsAsTheProgramDoes()
    {
        QFETCH(QString, out);
        QFETCH(QString, locale);
        QFETCH(QByteArray, expected);
        const QString path = m_dir.filePath(out);
        const ExportRun run = RunExport({Path("two.ldx"), path, QStringLiteral("--now"), QStringLiteral("2024-03-07T14:05")}, locale);
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.isEmpty());
        QCOMPARE(ReadAll(path), expected);
    }

    void mergesIntoExistingPhonebook()
    {
        const QString path = Path("client.ini");
        WriteAll(path, "[Settings]\nMax Windows=8\n[(fr) PARIS]\nIP=1\n");
        QCOMPARE(RunExport({Path("two.ldx"), path, QStringLiteral("--now"), QStringLiteral("2024-03-07T14:05")}).status, 0);
        const QByteArray merged = ReadAll(path);
        QVERIFY(merged.startsWith("[Settings]\nMax Windows=8\n[(fr) PARIS]\nIP=192.0.2.1\r\nSend Video=No\r\n"));
        QCOMPARE(merged.count("[_LDX List 7 Mar 2024 14:05_]"), 1);
    }

    void stampsCurrentTimeWithoutNow()
    {
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(RunExport({Path("two.ldx"), Path("now.csv")}).status, 0);
        const QDateTime after = QDateTime::currentDateTime();
        const QByteArray header = ReadAll(Path("now.csv")).split('\r').first();
        auto headerAt = [](const QDateTime &when) {
            const DateTimeStamp stamp = DateTimeStamp::Make(when, QLocale::c());
            return "LDX2 List " + stamp.date + " @ " + stamp.time;
        };
        QVERIFY2(header == headerAt(before) || header == headerAt(after), header.constData());
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("mentions");
        QTest::newRow("missing database") << QStringList{"MISSING", "OUT"} << QByteArray("missing.ldx");
        QTest::newRow("malformed database") << QStringList{"BAD", "OUT"} << QByteArray("bad.ldx");
        QTest::newRow("bad --now") << QStringList{"GOOD", "OUT", "--now", "2024-03-07 14:05"} << QByteArray("--now");
        QTest::newRow("--now without value") << QStringList{"GOOD", "OUT", "--now"} << QByteArray("Usage");
        QTest::newRow("read-only output") << QStringList{"GOOD", "READONLY"} << QByteArray("readonly.ini");
        QTest::newRow("missing folder") << QStringList{"GOOD", "NODIR"} << QByteArray("no/such/out.ini");
        QTest::newRow("one file only") << QStringList{"GOOD"} << QByteArray("Usage");
        QTest::newRow("unknown option") << QStringList{"GOOD", "OUT", "--later"} << QByteArray("Usage");
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, mentions);
        WriteAll(Path("bad.ldx"), Hex("0500 FFFF"));
        WriteAll(Path("out.ini"), "previous");
        WriteAll(Path("readonly.ini"), "previous");
        QFile::setPermissions(Path("readonly.ini"), QFile::ReadOwner);
        const QHash<QString, QString> paths{{"MISSING", Path("missing.ldx")}, {"BAD", Path("bad.ldx")},
                                            {"GOOD", Path("two.ldx")},        {"OUT", Path("out.ini")},
                                            {"READONLY", Path("readonly.ini")}, {"NODIR", Path("no/such/out.ini")}};
        for (QString &a : args)
            a = paths.value(a, a);
        const ExportRun run = RunExport(args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(mentions), run.err.constData());
        QCOMPARE(ReadAll(Path("out.ini")), QByteArray("previous"));
        QCOMPARE(ReadAll(Path("readonly.ini")), QByteArray("previous"));
        QVERIFY(!QFile::exists(Path("no")));
    }
};

LODEX_TEST(ExportCliTest)
#include "tst_exportcli.moc"
