#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/reflectordatasource.h"
#include "view/core/reflectortext.h"

#include <QTest>
#include <QUrl>

// The data object of Copy and drag-out, over a list without widgets.
class ReflectorDataSourceTest : public QObject
{
    Q_OBJECT

    ReflectorList m_list = SampleList(4);
    FakeView m_view;
    QObject *m_viewObject = nullptr; // stands for the list's lifetime

    QByteArray TextOf(const QList<int> &rows) const { return ReflectorText(RecordPointers(m_list, rows)); }

private slots:
    void init()
    {
        m_view.SetRows(m_list);
        m_viewObject = new QObject(this);
    }
    void cleanup() { delete m_viewObject; }

    void offersBothTextNamesOnly()
    {
        CReflectorDataSource source(&m_view, m_viewObject);
        QCOMPARE(source.formats(), (QStringList{"text/plain", "text/plain;charset=utf-8"}));
        QVERIFY(source.hasText());
        QVERIFY(source.hasFormat(QStringLiteral("text/plain;charset=utf-8")));
        QVERIFY(!source.hasUrls());
        QVERIFY(!source.hasFormat(QStringLiteral("text/html")));
    }

    void rendersTheSelectionOfTheMomentOfEachRequest()
    {
        m_view.selected = {2, 0};
        CReflectorDataSource source(&m_view, m_viewObject);
        QCOMPARE(source.data(QStringLiteral("text/plain")), TextOf({0, 2}));
        m_view.selected = {3};
        QCOMPARE(source.data(QStringLiteral("text/plain;charset=utf-8")), TextOf({3}));
        QCOMPARE(source.text(), QString::fromUtf8(TextOf({3})));
        m_view.selected.clear();
        QCOMPARE(source.data(QStringLiteral("text/plain")), QByteArray());
        QCOMPARE(source.data(QStringLiteral("text/html")), QByteArray());
    }

    void nonAsciiTextArrivesAsUtf8()
    {
        auto record = RawRecord("\xC3\x96sterreich", "AT", "Wien \xE2\x82\xAC", "", "10.0.0.9");
        m_view.rows.push_back(record.get());
        m_view.selected = {4};
        CReflectorDataSource source(&m_view, m_viewObject);
        QVERIFY(source.text().startsWith(QStringLiteral("Country: \u00D6sterreich\nLetters: AT\nFull name: Wien \u20AC\n")));
        m_view.rows.pop_back();
    }

    void afterTheListIsGoneTheTextIsEmptyUnlessFrozen()
    {
        m_view.selected = {1};
        CReflectorDataSource frozen(&m_view, m_viewObject);
        CReflectorDataSource unfrozen(&m_view, m_viewObject);
        frozen.Freeze();
        m_view.selected = {2}; // frozen: what was selected then stays
        delete m_viewObject;
        m_viewObject = nullptr;
        QCOMPARE(frozen.data(QStringLiteral("text/plain")), TextOf({1}));
        QCOMPARE(unfrozen.data(QStringLiteral("text/plain")), QByteArray());
    }

    void aDragAlsoOffersItsFiles()
    {
        m_view.selected = {0};
        CReflectorDataSource source(&m_view, m_viewObject);
        const QList<QUrl> urls{QUrl::fromLocalFile(QStringLiteral("/tmp/x/Reflector 1.cu"))};
        source.setUrls(urls);
        QVERIFY(source.formats().contains(QStringLiteral("text/uri-list")));
        QVERIFY(source.formats().contains(QStringLiteral("text/plain")));
        QCOMPARE(source.urls(), urls);
        QCOMPARE(source.data(QStringLiteral("text/plain")), TextOf({0}));
    }
};

LODEX_TEST(ReflectorDataSourceTest)
#include "tst_reflectordatasource.moc"
