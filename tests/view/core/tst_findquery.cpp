#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/findquery.h"

#include <QTest>

class FindQueryTest : public QObject
{
    Q_OBJECT

    // Rows given by full name and address; a null entry is a row without a record.
    static ReflectorList Records(const QList<QPair<const char *, const char *>> &rows)
    {
        ReflectorList list;
        for (const auto &[name, ip] : rows)
            list.push_back(RawRecord("France", "FR", name, "", ip));
        return list;
    }

    static RecordOfRow Rows(const ReflectorList &list, int missingRow = -1)
    {
        return [&list, missingRow](int row) -> const CReflector * {
            return row == missingRow ? nullptr : list[std::size_t(row)].get();
        };
    }

private slots:
    void looksLikeIPAddress_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("addressLike");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("digits") << QByteArray("123") << true;
        QTest::newRow("address") << QByteArray("10.0.0.1") << true;
        QTest::newRow("trailing space") << QByteArray("10.0.0.1 ") << true;
        QTest::newRow("spaces only") << QByteArray("   ") << true;
        QTest::newRow("15 bytes") << QByteArray("255.255.255.255") << true;
        QTest::newRow("16 bytes") << QByteArray("255.255.255.2555") << false;
        QTest::newRow("letter") << QByteArray("10.0.0.a") << false;
        QTest::newRow("tab") << QByteArray("10.0.0.1\t") << false;
        QTest::newRow("colon") << QByteArray("::1") << false;
        QTest::newRow("non-ASCII digit") << QByteArray("\xD9\xA1") << false; // Arabic-Indic one
    }
    void looksLikeIPAddress()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, addressLike);
        QCOMPARE(LooksLikeIPAddress(text.toStdString()), addressLike);
        QCOMPARE(CFindQuery(text, false).IsAddressMode(), addressLike);
    }

    void matches_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QByteArray>("fullName");
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("expected");
        // Address mode looks at the address only.
        QTest::newRow("digits search addresses") << QByteArray("123") << false << QByteArray("Lab 123") << QByteArray("10.0.0.1") << false;
        QTest::newRow("digits in address") << QByteArray("123") << false << QByteArray("Lab") << QByteArray("10.1.123.4") << true;
        QTest::newRow("trailing space trimmed") << QByteArray("10.0.0.1 ") << false << QByteArray() << QByteArray("10.0.0.12") << true;
        QTest::newRow("whole: exact only") << QByteArray("10.0.0.1 ") << true << QByteArray() << QByteArray("10.0.0.12") << false;
        QTest::newRow("whole: exact") << QByteArray(" 10.0.0.1 ") << true << QByteArray() << QByteArray("10.0.0.1") << true;
        QTest::newRow("whole: address not trimmed") << QByteArray("10.0.0.1") << true << QByteArray() << QByteArray("10.0.0.1 ") << false;
        QTest::newRow("spaces: in every address") << QByteArray("  ") << false << QByteArray() << QByteArray("192.0.2.9") << true;
        QTest::newRow("spaces: even empty") << QByteArray("  ") << false << QByteArray() << QByteArray() << true;
        QTest::newRow("empty whole: empty only") << QByteArray() << true << QByteArray() << QByteArray("1.2.3.4") << false;
        // Name mode looks at the full name only.
        QTest::newRow("16 digits search names") << QByteArray("1234567890123456") << false << QByteArray("x1234567890123456") << QByteArray("1234567890123456") << true;
        QTest::newRow("16 digits not address") << QByteArray("1234567890123456") << false << QByteArray("x") << QByteArray("1234567890123456") << false;
        QTest::newRow("lab in Main LAB reflector") << QByteArray("lab") << false << QByteArray("Main LAB reflector") << QByteArray() << true;
        QTest::newRow("whole: lab not Main LAB") << QByteArray("lab") << true << QByteArray("Main LAB reflector") << QByteArray() << false;
        QTest::newRow("whole: lAb") << QByteArray("lab") << true << QByteArray("lAb") << QByteArray() << true;
        QTest::newRow("whole: text not trimmed") << QByteArray("lab ") << true << QByteArray("lab") << QByteArray() << false;
        QTest::newRow("leading space is pattern") << QByteArray(" lab") << false << QByteArray("Lab one") << QByteArray() << false;
        QTest::newRow("leading space inside") << QByteArray(" lab") << false << QByteArray("Main lab") << QByteArray() << true;
        QTest::newRow("name not found") << QByteArray("paris") << false << QByteArray("Lyon") << QByteArray("paris") << false;
        // Unicode upper case for the containment test.
        QTest::newRow("accented") << QByteArray("\xC3\xA9t\xC3\xA9") << false << QByteArray("L'\xC3\x89T\xC3\x89 club") << QByteArray() << true;
        QTest::newRow("accented reversed") << QByteArray("\xC3\x89T\xC3\x89") << false << QByteArray("l'\xC3\xA9t\xC3\xA9") << QByteArray() << true;
        QTest::newRow("cyrillic") << QByteArray("\xD0\xBC\xD0\xB8\xD1\x80") << false << QByteArray("\xD0\x9C\xD0\x98\xD0\xA0 1") << QByteArray() << true;
        // Each character maps on its own: the sharp s has no upper case of one character.
        QTest::newRow("sharp s") << QByteArray("stra\xC3\x9F" "e") << false << QByteArray("STRA\xC3\x9F" "E 5") << QByteArray() << true;
        QTest::newRow("sharp s not SS") << QByteArray("stra\xC3\x9F" "e") << false << QByteArray("STRASSE 5") << QByteArray() << false;
        QTest::newRow("final sigma") << QByteArray("\xCF\x82") << false << QByteArray("\xCE\xA3") << QByteArray() << true;
        QTest::newRow("invalid bytes kept") << QByteArray("caf\xE9") << false << QByteArray("CAF\xE9 BAR") << QByteArray() << true;
        // A name that is not UTF-8 is Windows-1252 from the old program.
        QTest::newRow("Windows-1252 name") << QByteArray("z\xC3\xBCr") << false << QByteArray("Z\xFCRICH") << QByteArray() << true;
        QTest::newRow("Windows-1252 euro") << QByteArray("\xE2\x82\xAC 5") << false << QByteArray("Price \x80 5") << QByteArray() << true;
        QTest::newRow("whole: Windows-1252 name") << QByteArray("Z\xC3\xBCrich") << true << QByteArray("z\xFCrich") << QByteArray() << true;
        QTest::newRow("whole: Windows-1252, accents not folded") << QByteArray("Z\xC3\x9CRICH") << true << QByteArray("z\xFCrich") << QByteArray() << false;
        QTest::newRow("ASCII text, accented name") << QByteArray("cafe") << false << QByteArray("Caf\xC3\xA9") << QByteArray() << false;
        QTest::newRow("long non-ASCII name") << QByteArray("end") << false << QByteArray(QByteArray(300, 'x') + "\xC3\xA9 END") << QByteArray() << true;
        QTest::newRow("long ASCII name") << QByteArray("end") << false << QByteArray(QByteArray(300, 'x') + " END") << QByteArray() << true;
        // The whole-name test folds ASCII only, as the list's sort does.
        QTest::newRow("whole: accents not folded") << QByteArray("\xC3\xA9t\xC3\xA9") << true << QByteArray("\xC3\x89T\xC3\x89") << QByteArray() << false;
        QTest::newRow("whole: same bytes") << QByteArray("\xC3\xA9T\xC3\xA9") << true << QByteArray("\xC3\xA9t\xC3\xA9") << QByteArray() << true;
    }
    void matches()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, wholeWord);
        QFETCH(QByteArray, fullName);
        QFETCH(QByteArray, address);
        QFETCH(bool, expected);
        const auto record = RawRecord("France", "FR", fullName.constData(), "", address.constData());
        QCOMPARE(CFindQuery(text, wholeWord).Matches(*record), expected);
    }

    void findNext_data()
    {
        QTest::addColumn<int>("lastFound");
        QTest::addColumn<int>("missingRow");
        QTest::addColumn<int>("hit");
        QTest::addColumn<int>("previousHit");
        // Rows 0, 2 and 4 match "lab" (see findNext below); 5 rows in all.
        QTest::newRow("no hit yet") << -1 << -1 << 0 << -1;
        QTest::newRow("after first") << 0 << -1 << 2 << 0;
        QTest::newRow("after second") << 2 << -1 << 4 << 2;
        QTest::newRow("from a non-matching row") << 1 << -1 << 2 << 1;
        QTest::newRow("last row: from the top") << 4 << -1 << 0 << 4;
        QTest::newRow("beyond the rows: from the top, nothing cleared") << 9 << -1 << 0 << -1;
        QTest::newRow("negative other than -1") << -5 << -1 << 0 << -1;
        QTest::newRow("missing record ends the search") << 0 << 1 << -1 << -1;
        QTest::newRow("missing record after the hit") << 2 << 4 << -1 << -1;
    }
    void findNext()
    {
        QFETCH(int, lastFound);
        QFETCH(int, missingRow);
        QFETCH(int, hit);
        QFETCH(int, previousHit);
        const ReflectorList list = Records({{"Lab A", "10.0.0.1"}, {"Other", "10.0.0.2"}, {"B lab", "10.0.0.3"},
                                            {"None", "10.0.0.4"}, {"LAB", "10.0.0.5"}});
        const FindStep step = FindNext(CFindQuery("lab", false), int(list.size()), lastFound, Rows(list, missingRow));
        QCOMPARE(step.hit, hit);
        QCOMPARE(step.previousHit, previousHit);
    }

    void successiveHitsThenMiss()
    {
        // The third hit is not the last row: the next search finds nothing
        // and keeps finding nothing from the same place.
        const ReflectorList list = Records({{"a lab", "1"}, {"b lab", "2"}, {"c lab", "3"}, {"d", "4"}});
        const CFindQuery query("LAB", false);
        int lastFound = -1;
        QList<int> hits;
        for (int press = 0; press < 5; ++press) {
            const FindStep step = FindNext(query, int(list.size()), lastFound, Rows(list));
            hits << step.hit;
            if (step.hit >= 0)
                lastFound = step.hit;
        }
        QCOMPARE(hits, (QList<int>{0, 1, 2, -1, -1}));
    }

    void emptyListFindsNothing()
    {
        const FindStep step = FindNext(CFindQuery("", false), 0, 3, [](int) -> const CReflector * {
            QTest::qFail("an empty list has no rows to read", __FILE__, __LINE__);
            return nullptr;
        });
        QCOMPARE(step.hit, -1);
        QCOMPARE(step.previousHit, -1);
    }

    void upperCaseUtf8_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("upper");
        QTest::newRow("ASCII") << QByteArray("abc XyZ 09") << QByteArray("ABC XYZ 09");
        QTest::newRow("Latin-1 letters") << QByteArray("\xC3\xA0\xC3\xBF") << QByteArray("\xC3\x80\xC5\xB8");
        QTest::newRow("sharp s stays") << QByteArray("\xC3\x9F") << QByteArray("\xC3\x9F");
        QTest::newRow("dotless i") << QByteArray("\xC4\xB1") << QByteArray("I");
        QTest::newRow("two bytes grow to three") << QByteArray("\xC9\x90") << QByteArray("\xE2\xB1\xAF"); // U+0250 -> U+2C6F
        QTest::newRow("four bytes") << QByteArray("\xF0\x90\x90\xA8") << QByteArray("\xF0\x90\x90\x80"); // Deseret
        QTest::newRow("CJK unchanged") << QByteArray("\xE4\xB8\xAD") << QByteArray("\xE4\xB8\xAD");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF" "a") << QByteArray("\xEF\xBB\xBF" "A");
        // Not UTF-8: the whole text reads as Windows-1252.
        QTest::newRow("overlong") << QByteArray("\xC0\xAF" "a") << QByteArray("\xC3\x80\xC2\xAF" "A");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80" "b") << QByteArray("\xC3\x8D\xC2\xA0\xE2\x82\xAC" "B");
        QTest::newRow("cut at end") << QByteArray("\xE9t\xC3") << QByteArray("\xC3\x89T\xC3\x83");
        QTest::newRow("no lead byte F8") << QByteArray("\xF8\x90\x80\x80" "c")
                                         << QByteArray("\xC3\x98\xC2\x90\xE2\x82\xAC\xE2\x82\xAC" "C");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80")
                                         << QByteArray("\xC3\x94\xC2\x90\xE2\x82\xAC\xE2\x82\xAC");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void upperCaseUtf8()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, upper);
        QCOMPARE(QByteArray::fromStdString(UpperCaseUtf8(text.toStdString())), upper);
    }
};

LODEX_TEST(FindQueryTest)
#include "tst_findquery.moc"
