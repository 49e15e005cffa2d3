#include "data/countrytable.h"
#include "support/testmain.h"

#include <QTest>

#include <cstring>

namespace {

QList<QPair<QByteArray, QByteArray>> Rows(CCountryTable &table)
{
    QList<QPair<QByteArray, QByteArray>> rows;
    const char *code = nullptr;
    const char *name = nullptr;
    for (bool more = table.GetFirst(&code, &name); more; more = table.GetNext(&code, &name))
        rows.append(qMakePair(QByteArray(code), QByteArray(name)));
    return rows;
}

} // namespace

class CountryTableTest : public QObject
{
    Q_OBJECT

private slots:
    void builtInTable()
    {
        CCountryTable table;
        QVERIFY(table.Load());
        const auto rows = Rows(table);
        QCOMPARE(rows.size(), 240);
        QCOMPARE(rows.first(), qMakePair(QByteArray("??"), QByteArray("Don't know")));
        QCOMPARE(rows.last(), qMakePair(QByteArray("ZW"), QByteArray("Zimbabwe")));
        QVERIFY(rows.contains(qMakePair(QByteArray("UK"), QByteArray("United Kingdom"))));
        QVERIFY(rows.contains(qMakePair(QByteArray("AO"), QByteArray("Angola"))));
        QVERIFY(rows.contains(qMakePair(QByteArray("MM"), QByteArray("Myanmar"))));
    }

    void secondLoadChangesNothing()
    {
        CCountryTable table;
        QVERIFY(table.Load(QByteArrayView("A;One\r\nB;Two")));
        const char *code = nullptr;
        const char *name = nullptr;
        QVERIFY(table.GetFirst(&code, &name));
        QVERIFY(table.Load());
        QCOMPARE(table.Count(), 2);
        const char *code2 = nullptr;
        const char *name2 = nullptr;
        QVERIFY(table.GetFirst(&code2, &name2));
        QCOMPARE(code2, code); // the strings never move
        QCOMPARE(name2, name);
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("first line empty") << QByteArray("\r\nA;One\r\n") << QStringList();
        QTest::newRow("no semicolon ends") << QByteArray("A;One\r\nBTwo\r\nC;Three") << QStringList{"A;One"};
        QTest::newRow("no name ends") << QByteArray("A;One\r\nB;\r\nC;Three") << QStringList{"A;One"};
        QTest::newRow("blank name ends") << QByteArray("A;One\r\nB; \t\r\nC;Three") << QStringList{"A;One"};
        QTest::newRow("blank code ends") << QByteArray("A;One\r\n   ;Two\r\nC;Three") << QStringList{"A;One"};
        QTest::newRow("third field dropped") << QByteArray("A;One;Extra\r\n") << QStringList{"A;One"};
        QTest::newRow("leading semicolons skipped") << QByteArray(";;A;;One\r\n") << QStringList{"A;One"};
        QTest::newRow("last line without CR LF") << QByteArray("A;One\r\nB;Two") << QStringList{"A;One", "B;Two"};
        QTest::newRow("controls trimmed, inner kept") << QByteArray("\tA \x01;  New  Land \x1F\r\n")
                                                       << QStringList{"A;New  Land"};
        // The line runs to CR LF, so "B" is still part of the name.
        QTest::newRow("lone LF is not a line end") << QByteArray("A;One\nB;Two\r\n") << QStringList{"A;One\nB"};
        QTest::newRow("empty text") << QByteArray("") << QStringList();
    }
    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, rows);
        CCountryTable table;
        QVERIFY(table.Load(QByteArrayView(text.constData(), text.size())));
        QStringList got;
        for (const auto &row : Rows(table))
            got << QString::fromUtf8(row.first + ';' + row.second);
        QCOMPARE(got, rows);
    }

    void capsAt250Rows()
    {
        QByteArray text;
        for (int i = 0; i < 260; ++i)
            text += "C" + QByteArray::number(i) + ";Name " + QByteArray::number(i) + "\r\n";
        CCountryTable table;
        QVERIFY(table.Load(QByteArrayView(text)));
        const auto rows = Rows(table);
        QCOMPARE(rows.size(), 250);
        QCOMPARE(rows.last().first, QByteArray("C249"));
    }

    void cursorStaysAtTheEnd()
    {
        CCountryTable table;
        QVERIFY(table.Load(QByteArrayView("A;One\r\nB;Two\r\n")));
        const char *code = nullptr;
        const char *name = nullptr;
        QVERIFY(table.GetFirst(&code, &name));
        QVERIFY(table.GetNext(&code, &name));
        QVERIFY(!table.GetNext(&code, &name));
        QVERIFY(!table.GetNext(&code, &name));
        QVERIFY(table.GetFirst(&code, &name));
        QCOMPARE(QByteArray(code), QByteArray("A"));
    }

    void notLoadedAnswersFalse()
    {
        CCountryTable table;
        const char *code = nullptr;
        const char *name = nullptr;
        QVERIFY(!table.GetFirst(&code, &name));
        QVERIFY(!table.GetNext(&code, &name));
        QVERIFY(!table.Load(QByteArrayView()));
        QVERIFY(!table.IsLoaded());
    }

    void releaseEmpties()
    {
        CCountryTable table;
        QVERIFY(table.Load());
        table.Release();
        const char *code = nullptr;
        const char *name = nullptr;
        QVERIFY(!table.GetFirst(&code, &name));
        QCOMPARE(table.Count(), 0);
    }
};

LODEX_TEST(CountryTableTest)
#include "tst_countrytable.moc"
