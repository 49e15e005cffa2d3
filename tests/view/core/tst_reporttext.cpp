#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/reporttext.h"

#include "data/reflector.h"

#include <QTest>

class ReportTextTest : public QObject
{
    Q_OBJECT

private slots:
    void firstLine_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("fullName");
        QTest::addColumn<QString>("expected");
        // The number is left-aligned in five characters, so names line up
        // for entries 1 to 99999.
        QTest::newRow("entry 3") << 3 << QByteArray("Paris Video") << QStringLiteral(" 3     - Paris Video [P], France (FR)");
        QTest::newRow("entry 99999") << 99999 << QByteArray("X") << QStringLiteral(" 99999 - X [P], France (FR)");
        QTest::newRow("six digits push") << 123456 << QByteArray("X") << QStringLiteral(" 123456 - X [P], France (FR)");
        QTest::newRow("empty name") << 1 << QByteArray() << QStringLiteral(" 1     -  [P], France (FR)");
        // A text that looks like a placeholder is printed as it is.
        QTest::newRow("percent and %1 in a name") << 7 << QByteArray("100% %1 %s") << QStringLiteral(" 7     - 100% %1 %s [P], France (FR)");
    }
    void firstLine()
    {
        QFETCH(int, number);
        QFETCH(QByteArray, fullName);
        QFETCH(QString, expected);
        auto r = RawRecord("France", "FR", fullName.constData(), "P", "192.0.2.1");
        QCOMPARE(ReportText::FirstLine(number, *r), expected);
    }

    void secondLine_data()
    {
        QTest::addColumn<QByteArray>("ip");
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("contact");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short address and id padded")
            << QByteArray("10.0.0.1") << QByteArray("5") << QByteArray("Ann")
            << QStringLiteral("IP: 10.0.0.1         ID: 5   Ann (a@b)");
        QTest::newRow("full-width address")
            << QByteArray("255.255.255.255") << QByteArray("12") << QByteArray("Ann")
            << QStringLiteral("IP: 255.255.255.255  ID: 12  Ann (a@b)");
        QTest::newRow("long id pushes the rest")
            << QByteArray("10.0.0.1") << QByteArray("1234") << QByteArray("Ann")
            << QStringLiteral("IP: 10.0.0.1         ID: 1234  Ann (a@b)");
        QTest::newRow("long address pushes the rest")
            << QByteArray("reflector.example.org") << QByteArray("0") << QByteArray("Ann")
            << QStringLiteral("IP: reflector.example.org  ID: 0   Ann (a@b)");
        QTest::newRow("empty fields")
            << QByteArray() << QByteArray() << QByteArray()
            << QStringLiteral("IP:                  ID:      (a@b)");
        // Padding counts shown characters: "é" is two bytes but one column.
        QTest::newRow("two-byte character in the id")
            << QByteArray("10.0.0.1") << QByteArray("\xC3\xA9") << QByteArray("Zo\xC3\xAB")
            << QStringLiteral("IP: 10.0.0.1         ID: \u00E9   Zo\u00EB (a@b)");
        QTest::newRow("character outside the BMP counts once")
            << QByteArray("\xF0\x9F\x93\xB9") << QByteArray("1") << QByteArray("Ann")
            << (QStringLiteral("IP: ") + QString::fromUtf8("\xF0\x9F\x93\xB9") + QString(14, u' ')
                + QStringLiteral("  ID: 1   Ann (a@b)"));
        // A text that is not UTF-8 reads as Windows-1252.
        QTest::newRow("Windows-1252")
            << QByteArray("10.0.0.1") << QByteArray("\x80") << QByteArray("Z\xFCrich")
            << QStringLiteral("IP: 10.0.0.1         ID: \u20AC   Zürich (a@b)");
    }
    void secondLine()
    {
        QFETCH(QByteArray, ip);
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, contact);
        QFETCH(QString, expected);
        auto r = RawRecord("France", "FR", "Name", "P", ip.constData(), contact.constData(), "a@b", id.constData());
        QCOMPARE(ReportText::SecondLine(*r), expected);
    }

    void pageLabel()
    {
        QCOMPARE(ReportText::PageLabel(1, 1), QStringLiteral("Page 1/1"));
        QCOMPARE(ReportText::PageLabel(12, 345), QStringLiteral("Page 12/345"));
    }
};

LODEX_TEST(ReportTextTest)
#include "tst_reporttext.moc"
