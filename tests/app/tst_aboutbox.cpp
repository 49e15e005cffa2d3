#include "app/aboutbox.h"
#include "lodex_version.h"
#include "resources/versioninfo.h"
#include "support/testmain.h"

#include <QLabel>
#include <QTest>

namespace {

const char *const kLines[] = {"productLine", "descriptionLine", "versionLine",
                              "copyrightLine", "trademarksLine", "commentLine"};

CVersionInfo Record(bool fixedVersion, const QStringList &missing, const QString &emptyKey = QString())
{
    CVersionInfo info;
    info.m_bHasFixedVersion = fixedVersion;
    info.m_fileVersion = {2, 0, 14, 301};
    info.m_strings = {{"CompanyName", "Acme"},        {"ProductName", "Lodex"},
                      {"FileDescription", "A tool"},  {"Comments", "Write to us"},
                      {"LegalCopyright", "(C) Acme"}, {"LegalTrademarks", "TM notice"}};
    for (const QString &key : missing)
        info.m_strings.remove(key);
    if (!emptyKey.isEmpty())
        info.m_strings[emptyKey] = QString();
    return info;
}

QStringList Lines(const CAboutBox &box)
{
    QStringList texts;
    for (const char *name : kLines)
        texts << box.findChild<QLabel *>(QLatin1String(name))->text();
    return texts;
}

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    // The version the build was configured with, every line filled in.
    void thisBuild()
    {
        const CAboutBox box(CVersionInfo::ThisProgram());
        const QStringList lines = Lines(box);
        const QStringList parts = QStringLiteral(LODEX_VERSION_STRING).split(QLatin1Char('.'));
        QCOMPARE(parts.size(), 4);
        QCOMPARE(lines[2], QStringLiteral("Version %1 release %2 build %3\n").arg(parts[0] + u'.' + parts[1], parts[2], parts[3]));
        for (const QString &line : lines)
            QVERIFY2(!line.isEmpty() && !line.startsWith(QLatin1Char('<')), qPrintable(line));
    }

    // Every line of this build fits its control: one-line controls hold
    // their text, two-line controls wrap it within their height.
    void thisBuildFits()
    {
        CAboutBox box(CVersionInfo::ThisProgram());
        for (const char *name : kLines) {
            const QLabel *label = box.findChild<QLabel *>(QLatin1String(name));
            const QString text = label->text().trimmed();
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
            else
                QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->width(), name);
        }
    }

    void fallbacks_data()
    {
        QTest::addColumn<bool>("fixedVersion");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("emptyKey");
        QTest::addColumn<QStringList>("expected");
        const QStringList full{"Acme Lodex", "A tool", "Version 2.0 release 14 build 301\n",
                               "(C) Acme", "TM notice", "Write to us"};
        QTest::newRow("complete") << true << QStringList{} << QString() << full;
        QStringList noComment = full;
        noComment[5] = "<comment>";
        QTest::newRow("no comments") << true << QStringList{"Comments"} << QString() << noComment;
        QTest::newRow("empty comments") << true << QStringList{} << "Comments" << noComment;
        // Without a company the product name alone is not shown.
        QStringList noProduct = full;
        noProduct[0] = "<product name>";
        QTest::newRow("no company") << true << QStringList{"CompanyName"} << QString() << noProduct;
        QTest::newRow("no product") << true << QStringList{"ProductName"} << QString() << noProduct;
        // The texts are still read without the version numbers.
        QStringList noVersion = full;
        noVersion[2] = "<version>";
        QTest::newRow("no version numbers") << false << QStringList{} << QString() << noVersion;
        QTest::newRow("no record")
            << false
            << QStringList{"CompanyName", "ProductName", "FileDescription", "Comments", "LegalCopyright",
                           "LegalTrademarks"}
            << QString()
            << QStringList{"<product name>", "<description>", "<version>", "<copyright>", "<Trademarks>",
                           "<comment>"};
        QStringList noMarks = full;
        noMarks[1] = "<description>";
        noMarks[3] = "<copyright>";
        noMarks[4] = "<Trademarks>";
        QTest::newRow("three missing, others kept")
            << true << QStringList{"FileDescription", "LegalCopyright", "LegalTrademarks"} << QString() << noMarks;
    }
    void fallbacks()
    {
        QFETCH(bool, fixedVersion);
        QFETCH(QStringList, missing);
        QFETCH(QString, emptyKey);
        QFETCH(QStringList, expected);
        const CAboutBox box(Record(fixedVersion, missing, emptyKey));
        QCOMPARE(Lines(box), expected);
    }

    void textsArePlain()
    {
        CVersionInfo info = Record(true, {});
        info.m_strings["Comments"] = "<b>bold</b> & more";
        const CAboutBox box(info);
        const QLabel *comment = box.findChild<QLabel *>(QStringLiteral("commentLine"));
        QCOMPARE(comment->textFormat(), Qt::PlainText);
        QCOMPARE(comment->text(), QStringLiteral("<b>bold</b> & more"));
    }
};

LODEX_TEST(AboutBoxTest)
#include "tst_aboutbox.moc"
