#include "app/weblinks.h"
#include "support/testmain.h"

#include <QDesktopServices>
#include <QTest>

// Stands in for the desktop's browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

Q_DECLARE_METATYPE(WebLinks::Site)

class WebLinksTest : public QObject
{
    Q_OBJECT

    UrlCatcher m_browser;

private slots:
    void init()
    {
        m_browser.opened.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
    }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    void opensInTheBrowser_data()
    {
        QTest::addColumn<WebLinks::Site>("site");
        QTest::newRow("client maker") << WebLinks::Site::ClientMaker;
        QTest::newRow("author") << WebLinks::Site::AuthorHome;
    }
    void opensInTheBrowser()
    {
        QFETCH(WebLinks::Site, site);
        WebLinks::Open(site);
        QCOMPARE(m_browser.opened, QList<QUrl>{WebLinks::Address(site)});
        QVERIFY(WebLinks::Address(site).isValid());
    }

    void twoDistinctPages()
    {
        QVERIFY(WebLinks::Address(WebLinks::Site::ClientMaker) != WebLinks::Address(WebLinks::Site::AuthorHome));
    }
};

LODEX_TEST(WebLinksTest)
#include "tst_weblinks.moc"
