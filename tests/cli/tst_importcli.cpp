#include "clirun.h"
#include "data/ldxfile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

// lodex-cli import: File > Import without questions.
class ImportCliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        // The second line takes the address of the database's first record.
        QVERIFY(WriteAll(Path("list.csv"), "Peru;PE;Lima Lab;Lima;192.0.2.9;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"
                                           "Peru;PE;Taken;Cusco;192.0.2.1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"));
        QVERIFY(WriteAll(Path("copied.txt"), "Full name: Copied\nIP address: 198.51.100.1\n"));
        QVERIFY(WriteAll(Path("bad.csv"), "Peru;PE;Lima\r\n"));
    }

    void import_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err"); // what it contains
        QTest::addColumn<QByteArrayList>("names"); // the full names in the database afterwards
        const QByteArrayList two{"Reflector 1", "Reflector 2"};
        QTest::newRow("keep the database's")
            << QStringList{"list.csv", "copied.txt"} << 0
            << QByteArray("list.csv: 1 reflectors added, 0 updated, 1 skipped.\n"
                          "copied.txt: 1 reflectors added, 0 updated, 0 skipped.\n")
            << QByteArray() << two + QByteArrayList{"Lima Lab", "Copied"};
        QTest::newRow("take the file's") << QStringList{"list.csv", "--conflicts", "take"} << 0
                                         << QByteArray("list.csv: 1 reflectors added, 1 updated, 0 skipped.\n")
                                         << QByteArray() << QByteArrayList{"Taken", "Reflector 2", "Lima Lab"};
        QTest::newRow("a refused file changes nothing")
            << QStringList{"list.csv", "bad.csv"} << 2 << QByteArray()
            << QByteArray("lodex-cli: bad.csv: line 1: 3 fields where a reflector line has 12\n") << two;
        QTest::newRow("a kind Import does not read") << QStringList{"list.doc"} << 2 << QByteArray()
                                                     << QByteArray("list.doc: not a file Import reads") << two;
        QTest::newRow("no file") << QStringList{} << 2 << QByteArray() << QByteArray("Usage: lodex-cli import") << two;
        QTest::newRow("unknown choice") << QStringList{"list.csv", "--conflicts", "ask"} << 2 << QByteArray()
                                        << QByteArray("Usage: lodex-cli import") << two;
    }
    void import()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(QByteArrayList, names);
        const QString database = Path("db.ldx");
        QVERIFY(LdxFile::Save(database, SampleList(2), nullptr));
        const QByteArray before = ReadAll(database);

        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(LODEX_BIN_DIR "/lodex-cli"), QStringList{"import", "db.ldx"} + args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), status);
        QCOMPARE(process.readAllStandardOutput(), out);
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(errors.contains(err), errors.constData());

        ReflectorList list;
        QVERIFY(LdxFile::Load(database, list, nullptr) == OpenResult::Opened);
        QByteArrayList stored;
        for (const auto &record : list)
            stored << record->m_strFullName.toByteArray();
        QCOMPARE(stored, names);
        if (status != 0)
            QCOMPARE(ReadAll(database), before);
    }
};

LODEX_TEST(ImportCliTest)
#include "tst_importcli.moc"
