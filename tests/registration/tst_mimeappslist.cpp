#include "registration/mimeappslist.h"
#include "support/testmain.h"

#include <QTest>

namespace {
const QByteArray kType = "application/x-lodex-reflectors";
const QByteArray kId = "com.quorv.Lodex.desktop";
} // namespace

class MimeAppsListTest : public QObject
{
    Q_OBJECT

private slots:
    void setDefault_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file") << QByteArray() << QByteArray("[Default Applications]\n" + kType + "=" + kId + "\n");
        QTest::newRow("no line end at the end")
            << QByteArray("[Added Associations]\ntext/plain=a.desktop;")
            << QByteArray("[Added Associations]\ntext/plain=a.desktop;\n[Default Applications]\n" + kType + "=" + kId + "\n");
        QTest::newRow("group with other keys, then another group")
            << QByteArray("[Default Applications]\ntext/plain=a.desktop\n\n[Removed Associations]\nx/y=b.desktop\n")
            << QByteArray("[Default Applications]\ntext/plain=a.desktop\n" + kType + "=" + kId +
                          "\n\n[Removed Associations]\nx/y=b.desktop\n");
        QTest::newRow("key in another group stays")
            << QByteArray("[Added Associations]\n" + kType + "=other.desktop;\n")
            << QByteArray("[Added Associations]\n" + kType + "=other.desktop;\n[Default Applications]\n" + kType + "=" +
                          kId + "\n");
        QTest::newRow("existing default replaced")
            << QByteArray("# mine\n[Default Applications]\n " + kType + " = other.desktop\ntext/plain=a.desktop\n")
            << QByteArray("# mine\n[Default Applications]\n" + kType + "=" + kId + "\ntext/plain=a.desktop\n");
        QTest::newRow("commented key ignored")
            << QByteArray("[Default Applications]\n#" + kType + "=old.desktop\n")
            << QByteArray("[Default Applications]\n#" + kType + "=old.desktop\n" + kType + "=" + kId + "\n");
        QTest::newRow("CRLF line ends kept")
            << QByteArray("[Default Applications]\r\ntext/plain=a.desktop\r\n")
            << QByteArray("[Default Applications]\r\ntext/plain=a.desktop\r\n" + kType + "=" + kId + "\r\n");
    }

    void setDefault()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const std::optional<QByteArray> previous = MimeAppsList::DefaultFor(before, kType);
        const QByteArray changed = MimeAppsList::WithDefault(before, kType, kId);
        QCOMPARE(changed, after);
        QCOMPARE(MimeAppsList::DefaultFor(changed, kType), std::optional<QByteArray>(kId));
        // Taking the change back leaves every other line as it was.
        const QByteArray restored = MimeAppsList::WithDefault(changed, kType, previous);
        QCOMPARE(MimeAppsList::DefaultFor(restored, kType), previous);
        QCOMPARE(MimeAppsList::WithDefault(restored, kType, kId), changed);
    }

    void defaultFor_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("present");
        QTest::newRow("none") << QByteArray("[Default Applications]\ntext/plain=a.desktop\n") << QByteArray() << false;
        QTest::newRow("spaced") << QByteArray("[Default Applications]\n" + kType + " =  x.desktop \n")
                                << QByteArray("x.desktop") << true;
        QTest::newRow("other group only") << QByteArray("[Added Associations]\n" + kType + "=x.desktop;\n")
                                          << QByteArray() << false;
        QTest::newRow("prefix of another type")
            << QByteArray("[Default Applications]\n" + kType + "-old=x.desktop\n") << QByteArray() << false;
    }

    void defaultFor()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QFETCH(bool, present);
        const std::optional<QByteArray> found = MimeAppsList::DefaultFor(text, kType);
        QCOMPARE(found.has_value(), present);
        if (present)
            QCOMPARE(*found, expected);
    }

    void removingAnAbsentKeyChangesNothing()
    {
        const QByteArray text = "[Default Applications]\ntext/plain=a.desktop\n";
        QCOMPARE(MimeAppsList::WithDefault(text, kType, std::nullopt), text);
    }
};

LODEX_TEST(MimeAppsListTest)
#include "tst_mimeappslist.moc"
