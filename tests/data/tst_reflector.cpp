#include "data/reflector.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QTest>

class ReflectorTest : public QObject
{
    Q_OBJECT

private slots:
    void valueConstructorTrimsFiveTexts()
    {
        CReflector r(" France ", " FR ", "  Big  Reflector\t", "\tR1 ", " 10.0.0.1 ", " Ann ", " a@b ",
                     " 12 ", 1, 0, 2, 0);
        QCOMPARE(r.m_strFullName.view(), "Big  Reflector");
        QCOMPARE(r.m_strShortName.view(), "R1");
        QCOMPARE(r.m_strContact.view(), "Ann");
        QCOMPARE(r.m_strEmail.view(), "a@b");
        QCOMPARE(r.m_strConferenceID.view(), "12");
        // Never trimmed: the address is the record's identity.
        QCOMPARE(r.m_strCountry.view(), " France ");
        QCOMPARE(r.m_strLetters.view(), " FR ");
        QCOMPARE(r.m_strIPAddress.view(), " 10.0.0.1 ");
        QCOMPARE(r.m_bReceiveVideo, 2);
    }

    void nullTextIsEmpty()
    {
        CReflector r(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0);
        for (int i = 0; i < CReflector::kTextCount; ++i)
            QVERIFY(r.Text(i).isEmpty());
    }

    void normalize_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("all white space kinds") << QByteArray("\t\n\v\f\r x \t\n\v\f\r") << QByteArray("x");
        QTest::newRow("inner space kept") << QByteArray("a \t b") << QByteArray("a \t b");
        QTest::newRow("only spaces") << QByteArray("   ") << QByteArray("");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        // U+00A0 (C2 A0) and a lone 0x85 are not white space: bytes of 0x80
        // and above are never trimmed.
        QTest::newRow("nbsp kept") << QByteArray("\xC2\xA0x\xC2\xA0") << QByteArray("\xC2\xA0x\xC2\xA0");
        QTest::newRow("high byte kept") << QByteArray(" \x85 ") << QByteArray("\x85");
        QTest::newRow("long text") << QByteArray("  " + QByteArray(40, 'n') + "  ") << QByteArray(40, 'n');
    }
    void normalize()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        CReflector r;
        r.m_strFullName = CText(input);
        r.m_strCountry = CText(input);
        r.Normalize();
        QCOMPARE(r.m_strFullName.toByteArray(), expected);
        QCOMPARE(r.m_strCountry.toByteArray(), input);
    }

    void assignmentCopiesThenTrims()
    {
        auto source = RawRecord("Canada", "CA", "Full", "Short", "10.0.0.1", " Ann ", "e", "7", 5, 0, 1, 0x10000);
        CReflector target;
        target = *source;
        QCOMPARE(target.m_strContact.view(), "Ann");
        QCOMPARE(source->m_strContact.view(), " Ann "); // the source is not changed
        QCOMPARE(target.m_strIPAddress.view(), "10.0.0.1");
        QCOMPARE(target.m_bAddToMenu, 5);
        QCOMPARE(target.m_bRunning, 0x10000);
    }

    void compare_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("case ignored") << 0 << QByteArray("canada") << QByteArray("Canada") << 0;
        QTest::newRow("addresses as text") << 4 << QByteArray("10.0.0.10") << QByteArray("10.0.0.2") << -1;
        QTest::newRow("prefix first") << 2 << QByteArray("Lab") << QByteArray("lab 2") << -1;
        QTest::newRow("longer later") << 3 << QByteArray("ab") << QByteArray("A") << 1;
        // Letters fold to lower case: 'A' compares as 'a' (0x61), after '_' (0x5F).
        QTest::newRow("fold to lower") << 6 << QByteArray("_") << QByteArray("A") << -1;
        QTest::newRow("non-ASCII not folded") << 2 << QByteArray("\xC3\xA9") << QByteArray("\xC3\x89") << 1;
        QTest::newRow("high bytes unsigned") << 5 << QByteArray("\xC3\xA9") << QByteArray("z") << 1;
        QTest::newRow("ID column equal") << 7 << QByteArray("1") << QByteArray("99") << 0;
        QTest::newRow("menu column equal") << 8 << QByteArray("a") << QByteArray("b") << 0;
        QTest::newRow("running column equal") << 11 << QByteArray("a") << QByteArray("b") << 0;
        QTest::newRow("negative column equal") << -1 << QByteArray("a") << QByteArray("b") << 0;
        QTest::newRow("column 12 equal") << 12 << QByteArray("a") << QByteArray("b") << 0;
    }
    void compare()
    {
        QFETCH(int, column);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, sign);
        CReflector ra, rb;
        for (int i = 0; i < CReflector::kTextCount; ++i) {
            ra.Text(i) = CText(a);
            rb.Text(i) = CText(b);
        }
        ra.m_bAddToMenu = 0;
        rb.m_bAddToMenu = 1;
        const int result = ra.Compare(rb, column);
        QCOMPARE(result > 0 ? 1 : result < 0 ? -1 : 0, sign);
        const int reverse = rb.Compare(ra, column);
        QCOMPARE(reverse > 0 ? 1 : reverse < 0 ? -1 : 0, -sign);
    }

    void sameAddress_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("equal") << QByteArray("10.0.0.1") << QByteArray("10.0.0.1") << true;
        QTest::newRow("trailing space") << QByteArray("10.0.0.1") << QByteArray("10.0.0.1 ") << false;
        QTest::newRow("leading zero") << QByteArray("10.0.0.1") << QByteArray("010.0.0.1") << false;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
    }
    void sameAddress()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, same);
        CReflector ra, rb;
        ra.m_strIPAddress = CText(a);
        rb.m_strIPAddress = CText(b);
        QCOMPARE(ra.IsSameAddress(rb), same);
    }

    void textStorage_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("inArena");
        // Inline up to 6 bytes; the size moves before the bytes from 63 on;
        // the arena takes texts up to 4092 bytes.
        for (int n : {0, 1, 6, 7, 62, 63, 255, 4092, 4093, 70000})
            for (bool arena : {false, true})
                QTest::addRow("%d bytes%s", n, arena ? " read into the arena" : "") << n << arena;
    }
    void textStorage()
    {
        // Every form copies, moves and trims alike.
        QFETCH(int, length);
        QFETCH(bool, inArena);
        QByteArray bytes(length, 'x');
        for (int i = 0; i < length; ++i)
            bytes[i] = char('a' + i % 26);
        CText a(bytes);
        if (inArena)
            a.SetInArena(bytes.constData(), std::size_t(bytes.size()));
        CText b(a);
        CText c(std::move(a));
        QCOMPARE(b.toByteArray(), bytes);
        QCOMPARE(c.toByteArray(), bytes);
        QVERIFY(a.isEmpty());
        a = c;
        c = std::move(b);
        QCOMPARE(a.toByteArray(), bytes);
        QCOMPARE(c.toByteArray(), bytes);
        CText padded(" " + bytes + " ");
        padded.chop(1, 1);
        QCOMPARE(padded.toByteArray(), bytes);
    }
};

LODEX_TEST(ReflectorTest)
#include "tst_reflector.moc"
