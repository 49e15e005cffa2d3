#include "dialogs/core/ipaddress.h"
#include "support/testmain.h"

#include <QTest>

class IPAddressTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("plain") << QByteArray("192.168.0.1") << true;
        QTest::newRow("leading zeros") << QByteArray("001.002.003.004") << true;
        QTest::newRow("lower bound") << QByteArray("0.0.0.0") << true;
        QTest::newRow("upper bound") << QByteArray("255.255.255.255") << true;
        QTest::newRow("piece over 255") << QByteArray("255.255.255.256") << false;
        QTest::newRow("first piece over 255") << QByteArray("256.1.1.1") << false;
        QTest::newRow("three pieces") << QByteArray("1.2.3") << false;
        QTest::newRow("five pieces") << QByteArray("1.2.3.4.5") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("one dot") << QByteArray(".") << false;
        QTest::newRow("dots only") << QByteArray("....") << false;
        QTest::newRow("run of dots") << QByteArray("1..2.3.4") << true;
        QTest::newRow("outer dots") << QByteArray(".1.2.3.4.") << true;
        QTest::newRow("letters read as 0") << QByteArray("w.x.y.z") << true;
        QTest::newRow("minus sign") << QByteArray("-1.2.3.4") << true;
        QTest::newRow("plus sign") << QByteArray("+1.2.3.4") << true;
        QTest::newRow("two signs read as 0") << QByteArray("+-1.2.3.4") << true;
        QTest::newRow("blank inside a piece") << QByteArray("1 2.3.4.5") << true;
        QTest::newRow("blank before each number") << QByteArray(" 1. 2. 3. 4") << true;
        QTest::newRow("tab and newline skipped") << QByteArray("\t1.\n2.\r3.\v4") << true;
        QTest::newRow("blank before the sign") << QByteArray(" -7.2.3.4") << true;
        QTest::newRow("blank after the sign is no number") << QByteArray("- 999.2.3.4") << true;
        QTest::newRow("trailing letters") << QByteArray("1a.2b.3c.4d") << true;
        QTest::newRow("digits after letters ignored") << QByteArray("a999.2.3.4") << true;
        QTest::newRow("value after letters counts") << QByteArray("999a.2.3.4") << false;
        // atoi of a very long number must not wrap around into a small one.
        QTest::newRow("10 digits") << QByteArray("4294967297.1.1.1") << false;
        QTest::newRow("20 digits") << QByteArray("18446744073709551617.1.1.1") << false;
        QTest::newRow("many zeros then 1") << QByteArray("0000000000001.2.3.4") << true;
        QTest::newRow("many digits negative") << QByteArray("-99999999999.2.3.4") << true;
        QTest::newRow("over 255 in a fifth piece") << QByteArray("1.2.3.4.300") << false;
        QTest::newRow("blank piece counts") << QByteArray("1.2.3. ") << true;
    }
    void check()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidIPAddress(std::string_view(text.constData(), std::size_t(text.size()))), valid);
    }
};

LODEX_TEST(IPAddressTest)
#include "tst_ipaddress.moc"
