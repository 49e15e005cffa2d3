// File > Import and File > Export as the user meets them in the main window.
#include "app/commandactions.h"
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

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
            QVERIFY(Frame().CommandActions().HasHandler(id));
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
        QVERIFY(Frame().CommandActions().Trigger(CommandId::FileExport));
        QCOMPARE(busyWhileWriting, (QList<bool>{true, false}));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(m_watching.fileDialogs.size(), 1);
        QVERIFY(ReadAll(path).startsWith(begins));
        QCOMPARE(m_watching.messages.size(), begins.isEmpty() ? 1 : 0);
        QVERIFY(!m_watching.boxUnderBusyCursor);
        disconnect(&Doc(), &CLodexDoc::busyChanged, this, nullptr);
    }

    void importAnswersEachChosenFile()
    {
        m_watching.openNames << QStringList{m_dir.filePath("a.ini"), m_dir.filePath("b.doc")};
        QVERIFY(Frame().CommandActions().Trigger(CommandId::FileImport));
        QCOMPARE(m_watching.messages, (QStringList{"Not yet implemented, sorry !",
                                                  "Format not supported !\nOperation cancelled."}));
        QVERIFY(!Doc().IsModified());
    }
};

LODEX_TEST(ExchangeCommandsTest)
#include "tst_exchangecommands.moc"
