// File > Import and File > Export as the user meets them in the main window.
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QAction>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Notes whether a box was shown under the busy cursor.
class CursorWatchingPrompts : public FakePrompts
{
public:
    bool boxUnderBusyCursor = false;

    Answer MessageBox(const QString &text, Buttons buttons, Icon icon) override
    {
        boxUnderBusyCursor = boxUnderBusyCursor || QGuiApplication::overrideCursor();
        return FakePrompts::MessageBox(text, buttons, icon);
    }
    int Choose(const QString &text, const QStringList &buttons, Icon icon, int defaultButton) override
    {
        boxUnderBusyCursor = boxUnderBusyCursor || QGuiApplication::overrideCursor();
        return FakePrompts::Choose(text, buttons, icon, defaultButton);
    }
};

} // namespace

class ExchangeCommandsTest : public QObject, AppFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;
    CursorWatchingPrompts m_watching;

private slots:
    void init()
    {
        m_watching = CursorWatchingPrompts();
        BeginTest(&m_watching);
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
    }
    void cleanup() { EndTest(); }

    void enabledAlsoForAnEmptyList()
    {
        for (CommandId id : {CommandId::FileImport, CommandId::FileExport}) {
            QVERIFY(Frame().Action(id)->isEnabled());
        }
    }

    // The cursor shows busy while the file is written, and not while the
    // user is asked or told anything.
    void exportWritesUnderTheBusyCursor_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("begins");
        QTest::newRow("phonebook") << "nickname.ini" << QByteArray("[_LDX List ");
        QTest::newRow("list") << "list.csv" << QByteArray("LDX2 List ");
        QTest::newRow("failing") << "no/such/list.csv" << QByteArray();
    }
    void exportWritesUnderTheBusyCursor()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, begins);
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        const QString path = m_dir.filePath(name);
        m_watching.saveNames << path;
        QList<bool> busyWhileWriting;
        connect(&Doc(), &CLodexDoc::busyChanged, this,
                [&](bool busy) { busyWhileWriting << (busy && QGuiApplication::overrideCursor()
                                                      && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor); });
        QVERIFY(Trigger(CommandId::FileExport));
        QCOMPARE(busyWhileWriting, (QList<bool>{true, false}));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(m_watching.fileDialogs.size(), 1);
        QVERIFY(ReadAll(path).startsWith(begins));
        QCOMPARE(m_watching.messages.size(), begins.isEmpty() ? 1 : 0);
        QVERIFY(!m_watching.boxUnderBusyCursor);
        disconnect(&Doc(), &CLodexDoc::busyChanged, this, nullptr);
    }

    // Reading and merging show the busy cursor; the question about taken
    // addresses and the counts do not.
    void importThroughTheWindow()
    {
        const QString list = m_dir.filePath("list.csv");
        QVERIFY(WriteAll(list, "France;FR;One;1;192.0.2.1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"
                               "France;FR;Two;2;192.0.2.9;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"));
        Doc().m_listReflectors = SampleList(1);
        Doc().RefreshView();
        m_watching.openNames << QStringList{list, m_dir.filePath("b.doc")};
        m_watching.choices << 2; // take the file's
        QVERIFY(Trigger(CommandId::FileImport));
        QCOMPARE(m_watching.messages,
                 (QStringList{"1 of the 2 reflectors in " + list + " have an address that is already in the list.",
                              "Format not supported !\nOperation cancelled.",
                              list + ": 1 reflectors added, 1 updated, 0 skipped."}));
        QVERIFY(!m_watching.boxUnderBusyCursor);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(View().GetRowCount(), 2);
        QCOMPARE(Frame().Action(CommandId::EditUndo)->text(), QStringLiteral("&Undo Import"));
        QVERIFY(Doc().IsModified());
    }
};

LODEX_TEST(ExchangeCommandsTest)
#include "tst_exchangecommands.moc"
