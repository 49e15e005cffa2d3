// Edit > Find and Edit > Copy as the main window runs them.
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/modalwatch.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/reflectordatasource.h"
#include "view/core/reflectortext.h"
#include "view/finddialog.h"
#include "view/listsearch.h"
#include "view/lodexview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class FindCopyCommandsTest : public QObject, AppFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        BeginTest();
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
    }
    void cleanup() { EndTest(); }

    void findOpensTheDialogAndAHitEnablesCopy()
    {
        QVERIFY(!Frame().Action(CommandId::EditFind)->isEnabled());
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        QVERIFY(Frame().Action(CommandId::EditFind)->isEnabled());
        QVERIFY(!Frame().Action(CommandId::EditCopy)->isEnabled());
        QVERIFY(Trigger(CommandId::EditFind));
        auto *dialog = Frame().findChild<CFindDialog *>(QStringLiteral("findDialog"));
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QLineEdit *>(QStringLiteral("findText"))->setText(QStringLiteral("reflector 2"));
        dialog->findChild<QPushButton *>(QStringLiteral("findNext"))->click();
        QCOMPARE(Frame().View()->SelectedRows(), std::vector<int>{1});
        QVERIFY(Frame().Action(CommandId::EditCopy)->isEnabled());
        // A miss speaks through the program's prompts.
        dialog->findChild<QPushButton *>(QStringLiteral("findNext"))->click();
        QCOMPARE(m_prompts.messages, QStringList{QStringLiteral("No reflector matches the criteria.")});
    }

    void aMissIsToldOverTheFindDialog()
    {
        // The box belongs to the find dialog, which gets the keyboard back
        // when the box closes: the next Enter searches again rather than
        // reaching the main window, where it would edit the selected row.
        App().ExitInstance();
        App().SetPrompts(nullptr);
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        QVERIFY(Trigger(CommandId::EditFind));
        auto *dialog = Frame().findChild<CFindDialog *>(QStringLiteral("findDialog"));
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->findChild<QLineEdit *>(QStringLiteral("findText"))->setText(QStringLiteral("no such name"));
        QWidget *owner = nullptr;
        WhenShown<QMessageBox>([&owner](QMessageBox *box) {
            owner = box->parentWidget();
            box->accept();
        });
        dialog->findChild<QPushButton *>(QStringLiteral("findNext"))->click();
        QCOMPARE(owner, dialog);
    }

    // After a search, F3 goes to the next match itself; the dialog stays shut.
    void f3FindsTheNextMatch()
    {
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        Frame().Action(CommandId::EditFind)->trigger();
        QPointer<CFindDialog> dialog = Frame().findChild<CFindDialog *>();
        QVERIFY(dialog);
        dialog->findChild<QLineEdit *>(QStringLiteral("findText"))->setText(QStringLiteral("reflector"));
        dialog->findChild<QPushButton *>(QStringLiteral("findNext"))->click();
        QCOMPARE(Frame().View()->SelectedRows(), std::vector<int>{0});
        dialog->close();
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(Frame().View(), Qt::Key_F3);
        QCOMPARE(Frame().View()->SelectedRows(), std::vector<int>{1});
        QVERIFY(!dialog || !dialog->isVisible());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void copyPutsTheSelectedRowsOnTheClipboard()
    {
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        Frame().View()->selectRow(2);
        QVERIFY(Trigger(CommandId::EditCopy));
        const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
        QVERIFY(qobject_cast<const CReflectorDataSource *>(clip));
        QCOMPARE(clip->data(QStringLiteral("text/plain")), ReflectorText(RecordPointers(Doc().m_listReflectors, {2})));
    }

    void theCopiedTextOutlivesTheWindow()
    {
        // At the end a clipboard manager asks for the text after the window
        // and the records are gone: the text of the last moment is kept.
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        Frame().View()->selectRow(1);
        Trigger(CommandId::EditCopy);
        const QByteArray expected = ReflectorText(RecordPointers(Doc().m_listReflectors, {1}));
        QTimer::singleShot(0, &App(), &QCoreApplication::quit);
        App().exec();
        App().ExitInstance();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")), expected);
    }
};

LODEX_TEST(FindCopyCommandsTest)
#include "tst_findcopycommands.moc"
