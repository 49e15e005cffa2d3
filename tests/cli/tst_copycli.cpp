#include "clirun.h"
#include "data/ldxfile.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/connectionfile.h"
#include "view/core/reflectortext.h"

#include <QTemporaryDir>
#include <QTest>

// lodex-cli copy and cu: the clipboard text and the connection file.
class CopyCliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ReflectorList m_list = SampleList(4);
    QString m_file;

private slots:
    void initTestCase()
    {
        m_list[1]->m_strConferenceID = "42";
        m_list[1]->m_strContact = "Jos\x80"; // Windows-1252, from the old program
        m_list[2]->m_bSendVideo = 0;
        m_file = m_dir.filePath(QStringLiteral("four.ldx"));
        QVERIFY(LdxFile::Save(m_file, m_list, nullptr));
    }

    void copy_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("all") << QStringList{} << QList<int>{0, 1, 2, 3};
        QTest::newRow("one") << QStringList{"2"} << QList<int>{2};
        QTest::newRow("file order, each once") << QStringList{"3", "0", "3", "1"} << QList<int>{0, 1, 3};
    }
    void copy()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, expected);
        const Run run = Cli(QStringList{QStringLiteral("copy"), m_file} + rows);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, ReflectorText(RecordPointers(m_list, expected)));
        QVERIFY(run.out.startsWith("Country: France\n"));
        QVERIFY(!run.out.contains('\0'));
        // The clipboard's text is UTF-8 throughout.
        QVERIFY(QByteArrayView(run.out).isValidUtf8());
        QCOMPARE(run.out.contains("Jos\xE2\x82\xAC"), expected.contains(1));
    }

    void cu()
    {
        const Run run = Cli({QStringLiteral("cu"), m_file, QStringLiteral("1")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.size(), 215);
        QCOMPARE(run.out, ConnectionFile(*m_list[1]));
        QVERIFY(run.out.startsWith("192.0.2.2\r\n42\n[Settings]\n"));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("mentions");
        QTest::newRow("copy: row out of range") << QStringList{"copy", "FILE", "0", "4"} << QByteArray("row 4 is out of range (4 records)");
        QTest::newRow("copy: negative row") << QStringList{"copy", "FILE", "-1"} << QByteArray("'-1' is not a row number");
        QTest::newRow("copy: not a number") << QStringList{"copy", "FILE", "two"} << QByteArray("'two' is not a row number");
        QTest::newRow("copy: missing file") << QStringList{"copy", "MISSING"} << QByteArray("missing.ldx");
        QTest::newRow("copy: no file") << QStringList{"copy"} << QByteArray("Usage: lodex-cli copy");
        QTest::newRow("cu: row out of range") << QStringList{"cu", "FILE", "9"} << QByteArray("row 9 is out of range");
        QTest::newRow("cu: no row") << QStringList{"cu", "FILE"} << QByteArray("Usage: lodex-cli cu");
        QTest::newRow("cu: two rows") << QStringList{"cu", "FILE", "0", "1"} << QByteArray("Usage: lodex-cli cu");
        QTest::newRow("cu: missing file") << QStringList{"cu", "MISSING", "0"} << QByteArray("missing.ldx");
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, mentions);
        args.replaceInStrings(QStringLiteral("FILE"), m_file);
        args.replaceInStrings(QStringLiteral("MISSING"), m_dir.filePath(QStringLiteral("missing.ldx")));
        const Run run = Cli(args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(mentions), run.err.constData());
    }
};

LODEX_TEST(CopyCliTest)
#include "tst_copycli.moc"
