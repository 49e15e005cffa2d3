// The program as a user meets it: start-up, the main window's commands,
// the file commands with their save prompt, the window placement.
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "base/settingsstore.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/rowselection.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using Answer = CUserPrompts::Answer;

// The items as the menu shows them: the text, then the shortcut.
QStringList ActionTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *a : actions)
        if (!a->isSeparator() && a->isVisible())
            texts << (a->shortcut().isEmpty() ? a->text() : a->text() + u'\t' + a->shortcut().toString());
    return texts;
}

// Every menu of the menu bar, submenus included.
QList<QMenu *> AllMenus(const QMenuBar *bar)
{
    QList<QMenu *> menus;
    for (const QAction *top : bar->actions())
        menus << top->menu();
    for (qsizetype i = 0; i < menus.size(); ++i)
        for (const QAction *item : menus[i]->actions())
            if (item->menu())
                menus << item->menu();
    return menus;
}

} // namespace

class MainFrameTest : public QObject, AppFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Saved(const char *name, ReflectorList list)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        LdxFile::Save(path, list, nullptr);
        return path;
    }
    QString Saved(const char *name, int count) { return Saved(name, SampleList(count)); }

    // Starts the program with a modified document of three records.
    void StartModified()
    {
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        Doc().m_listReflectors = SampleList(3);
        Doc().RefreshView();
        Doc().SetModifiedFlag(true);
    }

    static QString StoredWindowPos() { return CSettingsStore().ReadText("WindowPos"); }
    static QToolBar *ToolBar() { return Frame().findChild<QToolBar *>(QStringLiteral("Toolbar")); }
    static CMailSender &MailSender() { return *Frame().findChild<CMailSender *>(); }
    static QAction *Named(const QString &name) { return Frame().findChild<QAction *>(name); }
    static QRect NormalGeometry()
    {
        return Frame().normalGeometry().isValid() ? Frame().normalGeometry() : Frame().geometry();
    }

private slots:
    void init() { BeginTest(); }
    void cleanup() { EndTest(); }

    void startWithoutArguments()
    {
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        QVERIFY(Frame().isVisible());
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Reflector - Lodex"));
        QCOMPARE(View().GetRowCount(), 0);
        QVERIFY(!Doc().IsModified());
        QVERIFY(m_prompts.messages.isEmpty());
        // Loaded before the command line, for the dialogs of the first document.
        QVERIFY(App().CountryTable().IsLoaded());
    }

    void startWithFile()
    {
        const QString path = Saved("five.ldx", 5);
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        QCOMPARE(Frame().windowTitle(), QStringLiteral("five.ldx - Lodex"));
        QCOMPARE(View().GetRowCount(), 5);
        QCOMPARE(App().RecentFiles().Entries().value(0), path);
    }

    void startWithBadFileEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "Cannot open the file";
        QTest::newRow("malformed") << Hex("0100FFFF02000A00") + "CReflector" << "is not a readable reflector list";
    }
    void startWithBadFileEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = m_dir.filePath(QStringLiteral("bad.ldx"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(WriteAll(path, bytes));
        QCOMPARE(App().InitInstance({path}), CLodexApp::kExitFailure);
        QCOMPARE(App().MainFrame(), nullptr);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].contains(reason));
        QVERIFY(m_prompts.messages[0].contains(path));
    }

    void commandsWithoutHandlerStayDisabled()
    {
        App().InitInstance({});
        for (CommandId id : {CommandId::NextPane, CommandId::PrevPane}) {
            QVERIFY(!Frame().Action(id)->isEnabled());
        }
    }

    // Cut, Paste, Undo and Redo as the menu offers them, each item naming
    // the step and enabled when it can run.
    void cutPasteUndoRedo()
    {
        const QString path = Saved("three.ldx", 3);
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        QGuiApplication::clipboard()->clear();
        QAction *undo = Frame().Action(CommandId::EditUndo);
        QAction *redo = Frame().Action(CommandId::EditRedo);
        const auto names = [] {
            QByteArrayList shown;
            for (int row = 0; row < View().GetRowCount(); ++row)
                shown << View().GetReflector(row)->m_strFullName.toByteArray();
            return shown;
        };
        const QByteArrayList three = names();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QVERIFY(!Frame().Action(CommandId::EditCut)->isEnabled());
        QVERIFY(!Frame().Action(CommandId::EditPaste)->isEnabled());

        SelectAlso(View(), 1);
        QVERIFY(Trigger(CommandId::EditCut));
        QCOMPARE(names(), (QByteArrayList{three[0], three[2]}));
        QCOMPARE(undo->text(), QStringLiteral("&Undo Cut"));
        QVERIFY(Doc().IsModified());
        QVERIFY(m_prompts.messages.isEmpty()); // no question, unlike Delete

        QVERIFY(Trigger(CommandId::EditPaste));
        QCOMPARE(names(), (QByteArrayList{three[0], three[2], three[1]}));
        QCOMPARE(m_prompts.messages, QStringList{"Clipboard: 1 reflectors added, 0 updated, 0 skipped."});
        QCOMPARE(undo->text(), QStringLiteral("&Undo Paste"));

        QVERIFY(Trigger(CommandId::EditUndo));
        QVERIFY(Trigger(CommandId::EditUndo));
        QCOMPARE(names(), three);
        QVERIFY(!Doc().IsModified());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        QCOMPARE(redo->text(), QStringLiteral("&Redo Cut"));
        QVERIFY(Trigger(CommandId::EditRedo));
        QCOMPARE(names(), (QByteArrayList{three[0], three[2]}));
        QVERIFY(Doc().IsModified());

        // Another document: nothing left to take back.
        m_prompts.answers << CUserPrompts::IdNo;
        QVERIFY(Frame().DocumentFiles().OnFileNew());
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }

    void enablingFollowsSelectionAndRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("withSelection"); // Copy, Edit, Delete
        QTest::addColumn<bool>("find");
        QTest::newRow("empty list") << 0 << QList<int>{} << false << false;
        QTest::newRow("rows, none selected") << 3 << QList<int>{} << false << true;
        QTest::newRow("one selected") << 3 << QList<int>{1} << true << true;
        QTest::newRow("two selected") << 3 << QList<int>{0, 2} << true << true;
    }
    void enablingFollowsSelectionAndRows()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, selected);
        QFETCH(bool, withSelection);
        QFETCH(bool, find);
        App().InitInstance({});
        Doc().m_listReflectors = SampleList(rows);
        Doc().RefreshView();
        for (int row : selected)
            SelectAlso(View(), row);
        for (CommandId id : {CommandId::EditCopy, CommandId::ReflectorEdit, CommandId::ReflectorDelete})
            QCOMPARE(Frame().Action(id)->isEnabled(), withSelection);
        QCOMPARE(Frame().Action(CommandId::EditFind)->isEnabled(), find);
        QVERIFY(Frame().Action(CommandId::ReflectorAdd)->isEnabled());
        // The selection goes with a refill: so does the enabling.
        Doc().RefreshView();
        QVERIFY(!Frame().Action(CommandId::ReflectorDelete)->isEnabled());
    }

    // Each button runs a menu item's own action, and shows what it does.
    void toolBarButtonsAreMenuItems()
    {
        App().InitInstance({});
        const QToolBar *bar = ToolBar();
        QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
        QVERIFY(bar->isFloatable() && bar->isMovable());
        QSet<QAction *> menuItems;
        for (const QMenu *menu : AllMenus(Frame().menuBar()))
            for (QAction *item : menu->actions())
                menuItems.insert(item);
        int buttons = 0;
        for (QAction *button : bar->actions()) {
            if (button->isSeparator())
                continue;
            ++buttons;
            QVERIFY2(menuItems.contains(button), qPrintable(button->objectName()));
            QVERIFY(!button->icon().isNull() && !button->toolTip().isEmpty());
        }
        QVERIFY(buttons > 0);
    }

    // Dragged off the window, the bar floats in a frame of its own with
    // "Toolbar" as its caption.
    void floatingToolBarHasItsCaption()
    {
        App().InitInstance({});
        Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
        QToolBar *bar = ToolBar();
        // The grip at the bar's left end, inside its margin.
        const QPoint handle(bar->layout()->contentsMargins().left()
                                + bar->style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, bar) / 2,
                            bar->height() / 2);
        QTest::mousePress(bar, Qt::LeftButton, {}, handle);
        // Down into the list, where no bar docks; a floating bar follows
        // the mouse, so each step moves it by the same offset.
        for (int step = 0; step < 6; ++step)
            QTest::mouseMove(bar, handle + QPoint(0, 40));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, handle + QPoint(0, 40));
        const QRect floated = bar->geometry();
        QTRY_VERIFY(bar->isFloating() && bar->windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(!bar->windowFlags().testFlag(Qt::FramelessWindowHint) && bar->isVisible());
        QCOMPARE(bar->windowTitle(), QStringLiteral("Toolbar"));
        QCOMPARE(bar->geometry(), floated); // where the user left it
    }

    // View > Sort By sorts from the keyboard as the header does.
    void sortByMenu()
    {
        QCOMPARE(App().InitInstance({Saved("five.ldx", 5)}), CLodexApp::kRunEventLoop);
        const auto column = [](int c) { return Named(QStringLiteral("sortByColumn%1").arg(c)); };
        QCOMPARE(Frame().findChild<QMenu *>(QStringLiteral("menuSortBy"))->actions().size(), CReflector::ColumnCount + 3);
        QCOMPARE(column(CReflector::ColIPAddress)->text(), QStringLiteral("IP Address"));
        Named(QStringLiteral("sortDescending"))->trigger();
        QCOMPARE(View().SortColumn(), -1); // nothing sorted yet: only the direction is chosen
        column(CReflector::ColFullName)->trigger();
        QCOMPARE(View().horizontalHeader()->sortIndicatorSection(), int(CReflector::ColFullName));
        QCOMPARE(View().horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        const QByteArray first = View().GetReflector(0)->m_strFullName.toByteArray();
        Named(QStringLiteral("sortAscending"))->trigger();
        QCOMPARE(View().GetReflector(View().GetRowCount() - 1)->m_strFullName.toByteArray(), first);
        QVERIFY(column(CReflector::ColFullName)->isChecked());
        QVERIFY(Named(QStringLiteral("sortAscending"))->isChecked());
        Doc().RefreshView(); // the document's order again: no column checked
        QVERIFY(!column(CReflector::ColFullName)->isChecked());
    }

    void viewMenuTogglesBars()
    {
        App().InitInstance({});
        QAction *toolbar = Frame().Action(CommandId::ViewToolbar);
        QAction *statusBar = Frame().Action(CommandId::ViewStatusBar);
        QVERIFY(toolbar->isChecked() && statusBar->isChecked());
        toolbar->trigger();
        statusBar->trigger();
        QVERIFY(ToolBar()->isHidden() && !toolbar->isChecked());
        QVERIFY(Frame().statusBar()->isHidden() && !statusBar->isChecked());
        toolbar->trigger();
        statusBar->trigger();
        QVERIFY(!ToolBar()->isHidden() && toolbar->isChecked());
        QVERIFY(!Frame().statusBar()->isHidden() && statusBar->isChecked());
        // Closing the floating bar itself also clears the check mark.
        ToolBar()->hide();
        QVERIFY(!toolbar->isChecked());
        Frame().statusBar()->hide();
        QVERIFY(!statusBar->isChecked());
    }

    void statusBarShowsReadyAndLockPanes()
    {
        App().InitInstance({});
        const QStatusBar *bar = Frame().statusBar();
        QCOMPARE(bar->findChild<QLabel *>(QStringLiteral("readyPane"))->text(), QStringLiteral("Ready"));
        // No lock-key state offscreen: the panes show their names, dimmed.
        const std::pair<const char *, const char *> panes[] = {
            {"capsLockPane", "CAP"}, {"numLockPane", "NUM"}, {"scrollLockPane", "SCRL"}};
        for (const auto &[name, text] : panes) {
            const QLabel *pane = bar->findChild<QLabel *>(QLatin1String(name));
            QVERIFY(pane && !pane->isEnabled());
            QCOMPARE(pane->text(), QLatin1String(text));
        }
    }

    // What a screen reader says: an item's name and its shortcut apart,
    // and a name for the list, the bars and the panes.
    void accessibleNames()
    {
        App().InitInstance({});
        QAccessibleInterface *file = QAccessible::queryAccessibleInterface(Frame().menuBar()->actions()[0]->menu());
        QVERIFY(file && file->childCount() > 0);
        QCOMPARE(file->child(0)->text(QAccessible::Name), QStringLiteral("New"));
        QCOMPARE(file->child(0)->text(QAccessible::Accelerator), QKeySequence(QKeySequence::New).toString());
        const std::pair<QWidget *, const char *> named[] = {
            {&View(), "Reflector list"},
            {ToolBar(), "Toolbar"},
            {Frame().statusBar(), "Status bar"},
            {Frame().statusBar()->findChild<QLabel *>(QStringLiteral("capsLockPane")), "Caps Lock"},
            {Frame().statusBar()->findChild<QLabel *>(QStringLiteral("readyPane")), "Message"}};
        for (const auto &[widget, name] : named)
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), QLatin1String(name));
    }

    // Every item: a letter of its own within its menu, a prompt on the
    // status bar, and enabled with a row selected unless there is nothing
    // for it to do yet.
    void everyMenuItemIsReachableAndExplained()
    {
        QCOMPARE(App().InitInstance({Saved("three.ldx", 3)}), CLodexApp::kRunEventLoop);
        QGuiApplication::clipboard()->clear();
        View().selectRow(0);
        const QList<QAction *> idle{Frame().Action(CommandId::EditUndo), Frame().Action(CommandId::EditRedo),
                                    Frame().Action(CommandId::EditPaste)};
        const auto checkLetters = [](const QList<QAction *> &items) {
            QSet<QChar> letters;
            for (const QAction *item : items) {
                const qsizetype amp = item->text().indexOf(u'&');
                if (!item->isVisible() || amp < 0)
                    continue;
                const QChar letter = item->text().at(amp + 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(item->text()));
                letters.insert(letter);
            }
        };
        checkLetters(Frame().menuBar()->actions());
        for (const QMenu *menu : AllMenus(Frame().menuBar())) {
            checkLetters(menu->actions());
            for (QAction *item : menu->actions()) {
                if (item->isSeparator() || !item->isVisible() || item->menu())
                    continue;
                QVERIFY2(!item->statusTip().isEmpty(), qPrintable(item->text()));
                QVERIFY2(item->isEnabled() != idle.contains(item), qPrintable(item->text()));
            }
        }
    }

    void keysOnlyRunTheirCommandWhileEnabled()
    {
        QVERIFY(App().InitInstance({Saved("three.ldx", 3)}) == CLodexApp::kRunEventLoop);
        QSignalSpy edits(Frame().Action(CommandId::ReflectorEdit), &QAction::triggered);
        QAction *enter = Named(QStringLiteral("keys32778"));
        enter->trigger(); // disabled: no row selected
        QCOMPARE(edits.size(), 0);
        View().selectRow(0);
        QVERIFY(enter->isEnabled());
        enter->trigger();
        QCOMPARE(edits.size(), 1);
        // A double-click runs the same command.
        emit View().editRequested();
        QCOMPARE(edits.size(), 2);
    }

    void standardKeysRunTheirCommand_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("id");
        QTest::newRow("Ctrl+Q quits") << QKeySequence(Qt::CTRL | Qt::Key_Q) << int(CommandId::AppExit);
        QTest::newRow("Ctrl+Shift+S saves as") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                               << int(CommandId::FileSaveAs);
        QTest::newRow("Ctrl+S still saves") << QKeySequence(Qt::CTRL | Qt::Key_S) << int(CommandId::FileSave);
        QTest::newRow("F3 finds again") << QKeySequence(Qt::Key_F3) << int(CommandId::EditRepeat);
        QTest::newRow("Ctrl+F still finds") << QKeySequence(Qt::CTRL | Qt::Key_F) << int(CommandId::EditFind);
        QTest::newRow("Ctrl+Ins copies") << QKeySequence(Qt::CTRL | Qt::Key_Insert) << int(CommandId::EditCopy);
        QTest::newRow("Shift+Del cuts") << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << int(CommandId::EditCut);
        QTest::newRow("Del deletes") << QKeySequence(Qt::Key_Delete) << int(CommandId::ReflectorDelete);
        QTest::newRow("Ins adds") << QKeySequence(Qt::Key_Insert) << int(CommandId::ReflectorAdd);
        QTest::newRow("Enter edits") << QKeySequence(Qt::Key_Return) << int(CommandId::ReflectorEdit);
    }
    void standardKeysRunTheirCommand()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, id);
        QCOMPARE(App().InitInstance({Saved("three.ldx", 3)}), CLodexApp::kRunEventLoop);
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        SelectAlso(View(), 0);
        QSignalSpy ran(Frame().Action(CommandId(id)), &QAction::triggered);
        // A key that two actions claim runs neither: Qt ignores it.
        QTest::keySequence(&View(), keys);
        QCOMPARE(ran.size(), 1);
    }

    void noKeyBelongsToTwoActions()
    {
        App().InitInstance({});
        QHash<QKeySequence, QString> owner;
        for (const QAction *action : Frame().findChildren<QAction *>())
            for (const QKeySequence &keys : action->shortcuts()) {
                QVERIFY2(!owner.contains(keys), qPrintable(keys.toString() + " of " + owner.value(keys) + " and "
                                                           + action->objectName()));
                owner.insert(keys, action->objectName());
            }
    }

    void savePrompt_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("saved");
        for (const char *op : {"new", "open", "exit"}) {
            QTest::addRow("%s, yes", op) << op << int(CUserPrompts::IdYes) << true << true;
            QTest::addRow("%s, no", op) << op << int(CUserPrompts::IdNo) << true << false;
            QTest::addRow("%s, cancel", op) << op << int(CUserPrompts::IdCancel) << false << false;
        }
    }
    void savePrompt()
    {
        QFETCH(QString, operation);
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        StartModified();
        const QString other = Saved("other.ldx", 5);
        const QString target = m_dir.filePath(QStringLiteral("answer-yes.ldx"));
        QFile::remove(target);
        m_prompts.answers << Answer(answer);
        m_prompts.saveNames << target;

        bool wentOn = false;
        if (operation == QLatin1String("new")) {
            wentOn = Frame().DocumentFiles().OnFileNew();
            QCOMPARE(View().GetRowCount(), goesOn ? 0 : 3);
        } else if (operation == QLatin1String("open")) {
            m_prompts.openNames << QStringList{other};
            Frame().Action(CommandId::FileOpen)->trigger();
            wentOn = View().GetRowCount() == 5;
        } else {
            wentOn = Frame().close();
            QCOMPARE(Frame().isVisible(), !goesOn);
        }
        QCOMPARE(wentOn, goesOn);
        QCOMPARE(m_prompts.messages.value(0), QStringLiteral("Save changes to Reflector?"));
        QCOMPARE(QFile::exists(target), saved);
        if (saved) { // the untitled document was saved through the Save As dialog
            QCOMPARE(m_prompts.fileDialogs.last(), QStringLiteral("Save As"));
            ReflectorList back;
            QCOMPARE(LdxFile::Load(target, back, nullptr), OpenResult::Opened);
            QCOMPARE(back.size(), std::size_t(3));
        }
    }

    void cancelledSaveAsCancelsTheOperation()
    {
        StartModified();
        m_prompts.answers << CUserPrompts::IdYes; // save, then Cancel in the Save As dialog
        QVERIFY(!Frame().DocumentFiles().OnFileNew());
        QCOMPARE(View().GetRowCount(), 3);
        QVERIFY(Doc().IsModified());
    }

    void saveAsProposesTitleBasedName()
    {
        StartModified();
        m_prompts.saveNames << m_dir.filePath(QStringLiteral("named.ldx"));
        QVERIFY(Frame().DocumentFiles().OnFileSaveAs());
        QCOMPARE(Frame().windowTitle(), QStringLiteral("named.ldx - Lodex"));
        QVERIFY(!Doc().IsModified());
        QCOMPARE(App().RecentFiles().Entries().value(0), m_dir.filePath(QStringLiteral("named.ldx")));
        QCOMPARE(Doc().ProposedFileName(), m_dir.filePath(QStringLiteral("named.ldx")));
        Doc().SetPathName(QString());
        QCOMPARE(Doc().ProposedFileName(), QStringLiteral("Reflector.ldx"));
    }

    void failedSaveKeepsTheOldFile()
    {
        const QString path = Saved("kept.ldx", 3);
        const QByteArray before = ReadAll(path);
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        Doc().m_listReflectors.pop_back();
        Doc().RefreshView();
        Doc().SetModifiedFlag(true);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        // Save on a read-only file asks for another name; given the same
        // one, the write is refused and the file stays as it was.
        m_prompts.saveNames << path;
        QVERIFY(!Frame().DocumentFiles().OnFileSave());
        QCOMPARE(m_prompts.fileDialogs, QStringList{"Save As"});
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].startsWith(QStringLiteral("Cannot save the file \"%1\"").arg(path)));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(ReadAll(path), before);
        QVERIFY(Doc().IsModified());

        // A folder that does not exist: reported, nothing created.
        const QString nowhere = m_dir.filePath(QStringLiteral("no/such/folder/x.ldx"));
        QVERIFY(!Frame().DocumentFiles().DoSave(nowhere));
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(Doc().GetPathName(), path);
    }

    void openFailures_data()
    {
        QTest::addColumn<bool>("malformed");
        QTest::newRow("not openable keeps the contents") << false;
        QTest::newRow("malformed leaves an empty untitled document") << true;
    }
    void openFailures()
    {
        QFETCH(bool, malformed);
        QCOMPARE(App().InitInstance({Saved("good.ldx", 4)}), CLodexApp::kRunEventLoop);
        const QString bad = m_dir.filePath(QStringLiteral("bad.ldx"));
        QFile::remove(bad);
        if (malformed)
            QVERIFY(WriteAll(bad, Hex("0200FFFF01000A00") + "CReflectoR"));
        QVERIFY(Frame().DocumentFiles().OpenDocumentFile(bad) != OpenResult::Opened);
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(View().GetRowCount(), malformed ? 0 : 4);
        QCOMPARE(Frame().windowTitle(), malformed ? QStringLiteral("Reflector - Lodex") : QStringLiteral("good.ldx - Lodex"));
        QVERIFY(!Doc().IsModified());
    }

    void recentFilesMenu()
    {
        const QString first = Saved("first.ldx", 1);
        const QString second = Saved("second.ldx", 2);
        App().InitInstance({});
        QAction *placeholder = Named(QStringLiteral("recentFilePlaceholder"));
        const auto entries = [] {
            QList<QAction *> shown;
            for (int i = 0; i < 4; ++i)
                if (QAction *entry = Named(QStringLiteral("command%1").arg(int(CommandId::FileMru1) + i)); entry->isVisible())
                    shown << entry;
            return shown;
        };
        QVERIFY(placeholder->isVisible() && !placeholder->isEnabled());
        QCOMPARE(placeholder->statusTip(), QStringLiteral("Open this document"));

        Frame().DocumentFiles().OpenDocumentFile(first);
        Frame().DocumentFiles().OpenDocumentFile(second);
        QVERIFY(!placeholder->isVisible());
        QCOMPARE(ActionTexts(entries()), QStringList({"&1 " + AbbreviatePath(second, 30),
                                                      "&2 " + AbbreviatePath(first, 30)}));
        entries()[1]->trigger();
        QCOMPARE(Doc().GetPathName(), first);
        QCOMPARE(App().RecentFiles().Entries(), QStringList({first, second}));

        // A file that has gone is reported and leaves the list.
        QFile::remove(second);
        entries()[1]->trigger();
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(App().RecentFiles().Entries(), QStringList({first}));
        QCOMPARE(entries().size(), 1);

        // Written back at the end.
        App().ExitInstance();
        CSettingsStore settings;
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), first);
    }

    // A recent file that has become unreadable is reported and leaves the
    // list, as a file that has gone does.
    void malformedRecentFileLeavesTheList()
    {
        const QString good = Saved("good.ldx", 1);
        const QString spoilt = Saved("spoilt.ldx", 1);
        App().InitInstance({});
        Frame().DocumentFiles().OpenDocumentFile(spoilt);
        Frame().DocumentFiles().OpenDocumentFile(good);
        QVERIFY(WriteAll(spoilt, Hex("0200FFFF01000A00") + "CReflectoR"));
        QVERIFY(!Frame().DocumentFiles().OnOpenRecentFile(1));
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(App().RecentFiles().Entries(), QStringList{good});
    }

    // Lists open in turn; a file of a kind Import reads is imported.
    void droppedFilesOpenOneAfterAnother()
    {
        const QString a = Saved("a.ldx", 1);
        const QString b = Saved("b.ldx", 2);
        const QString text = m_dir.filePath(QStringLiteral("copied.txt"));
        QVERIFY(WriteAll(text, "Full name: Dropped\nIP address: 198.51.100.7\n"));
        StartModified();
        m_prompts.answers << CUserPrompts::IdNo << CUserPrompts::IdNo;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(text)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &drop);
        QTRY_COMPARE(Doc().GetPathName(), b);
        QCOMPARE(View().GetRowCount(), 3);
        QVERIFY(Doc().IsModified());
        // The first file replaced the modified document, after the prompt.
        QCOMPARE(m_prompts.messages, QStringList({"Save changes to Reflector?",
                                                  text + ": 1 reflectors added, 0 updated, 0 skipped."}));
        QCOMPARE(App().RecentFiles().Entries(), QStringList({b, a}));
    }

    void deleteThroughTheWindow_data()
    {
        QTest::addColumn<QList<int>>("selectedRows");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArrayList>("shown");
        const QByteArrayList all{"e", "d", "c", "b", "a"};
        QTest::newRow("rows 2 and 4, yes") << QList<int>{1, 3} << int(CUserPrompts::IdYes)
                                           << QByteArrayList{"e", "c", "a"};
        QTest::newRow("rows 2 and 4, no") << QList<int>{1, 3} << int(CUserPrompts::IdNo)
                                          << QByteArrayList{"a", "b", "c", "d", "e"};
    }
    void deleteThroughTheWindow()
    {
        QFETCH(QList<int>, selectedRows);
        QFETCH(int, answer);
        QFETCH(QByteArrayList, shown);
        ReflectorList list;
        for (const char *name : {"e", "d", "c", "b", "a"})
            list.push_back(RawRecord("", "", name, "", name));
        QCOMPARE(App().InitInstance({Saved("five.ldx", std::move(list))}), CLodexApp::kRunEventLoop);
        QVERIFY(!Frame().Action(CommandId::ReflectorDelete)->isEnabled());
        View().sortByColumn(CReflector::ColFullName, Qt::AscendingOrder); // a b c d e
        for (int row : selectedRows)
            SelectAlso(View(), row);
        m_prompts.answers << Answer(answer);
        QVERIFY(Trigger(CommandId::ReflectorDelete));
        QByteArrayList names;
        for (int row = 0; row < View().GetRowCount(); ++row)
            names << View().GetReflector(row)->m_strFullName.toByteArray();
        QCOMPARE(names, shown); // after Yes: refilled in list order
        QCOMPARE(Doc().IsModified(), answer == CUserPrompts::IdYes);
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    void closeWritesThePlacement_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QString>("start");
        QTest::newRow("normal") << false << "0,1,";
        QTest::newRow("maximized") << true << "2,3,";
    }
    void closeWritesThePlacement()
    {
        QFETCH(bool, maximized);
        QFETCH(QString, start);
        StartModified();
        QVERIFY(StoredWindowPos().isEmpty());
        if (maximized)
            Frame().showMaximized();
        m_prompts.answers << CUserPrompts::IdCancel;
        QVERIFY(!Frame().close());
        // Written before the save prompt, which was cancelled.
        const QString stored = StoredWindowPos();
        QVERIFY2(stored.startsWith(start), qPrintable(stored));
        const auto placement = WindowPlacement::Parse(stored);
        QVERIFY(placement.has_value());
        QVERIFY(placement->right > placement->left && placement->bottom > placement->top);
    }

    void storedPlacementIsApplied_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << "0,1,-1,-1,-1,-1,100,120,700,520" << true << false;
        QTest::newRow("maximized") << "2,3,-1,-1,-1,-1,100,120,700,520" << true << true;
        QTest::newRow("nine numbers ignored") << "0,1,-1,-1,-1,-1,100,120,700" << false << false;
        QTest::newRow("partly off the screen") << "0,1,-1,-1,-1,-1,-300,-200,300,200" << true << false;
        QTest::newRow("far off the screen") << "0,1,-1,-1,-1,-1,-30000,-30000,-29400,-29600" << false << false;
    }
    void storedPlacementIsApplied()
    {
        QFETCH(QString, stored);
        QFETCH(bool, taken);
        QFETCH(bool, maximized);
        // A placement not taken leaves the window as at a first start.
        App().InitInstance({});
        const QSize firstStart = NormalGeometry().size();
        App().ExitInstance();
        CSettingsStore().WriteText("WindowPos", stored);
        App().InitInstance({});
        QCOMPARE(Frame().isMaximized(), maximized);
        const QRect normal = NormalGeometry();
        QCOMPARE(normal.size(), taken ? QSize(600, 400) : firstStart);
        QVERIFY(Frame().screen()->availableGeometry().contains(normal));
    }

    void sendMakesACopyAndKeepsTheFlag()
    {
        StartModified();
        CMailSender &mail = MailSender();
        mail.SetPrograms(QStringLiteral("true"), QStringLiteral("true"));
        QVERIFY(mail.Send(Doc(), m_prompts));
        QCOMPARE(mail.CopiesMade().size(), 1);
        const QString copy = mail.CopiesMade()[0] + QStringLiteral("/Reflector.ldx");
        QVERIFY(copy.startsWith(CMailSender::CopyFolder()));
        ReflectorList back;
        QCOMPARE(LdxFile::Load(copy, back, nullptr), OpenResult::Opened);
        QCOMPARE(back.size(), std::size_t(3));
        QVERIFY(Doc().IsModified());
        QVERIFY(m_prompts.messages.isEmpty());

        // An unmodified document with a file is sent as it is.
        m_prompts.answers << CUserPrompts::IdNo;
        Frame().DocumentFiles().OpenDocumentFile(Saved("plain.ldx", 2));
        QVERIFY(mail.Send(Doc(), m_prompts));
        QCOMPARE(mail.CopiesMade().size(), 1);

        // The mail program may still be reading the copy when Lodex ends;
        // a later start removes it once it is a day old.
        const QString copyFolder = mail.CopiesMade()[0];
        m_prompts.answers << CUserPrompts::IdNo;
        App().ExitInstance();
        QVERIFY(QFile::exists(copy));
        CMailSender::RemoveLeftovers(std::chrono::hours(24));
        QVERIFY(QFile::exists(copy));
        const timespec dayAgo[2] = {{time(nullptr) - 25 * 3600, 0}, {time(nullptr) - 25 * 3600, 0}};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(copyFolder).constData(), dayAgo, 0), 0);
        App().InitInstance({});
        QVERIFY(!QFile::exists(copy));
    }

    void sendFailureIsReported()
    {
        StartModified();
        CMailSender &mail = MailSender();
        mail.SetPrograms(m_dir.filePath(QStringLiteral("no-such-mailer")), QStringLiteral("true"));
        QVERIFY(!mail.Send(Doc(), m_prompts));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].startsWith(QStringLiteral("Cannot hand the document to the mail program")));
    }

    void sendItemShownOnlyWithAMailClient_data()
    {
        QTest::addColumn<QByteArray>("handler"); // what the stand-in for xdg-mime prints
        QTest::addColumn<bool>("shown");
        QTest::newRow("handler known") << QByteArray("mail.desktop") << true;
        QTest::newRow("no handler") << QByteArray("") << false;
    }
    void sendItemShownOnlyWithAMailClient()
    {
        QFETCH(QByteArray, handler);
        QFETCH(bool, shown);
        App().InitInstance({});
        const QString mime = m_dir.filePath(QStringLiteral("mime.sh"));
        QVERIFY(WriteAll(mime, "#!/bin/sh\necho " + handler + "\n"));
        QFile::setPermissions(mime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        CMailSender &mail = MailSender();
        mail.SetPrograms(QStringLiteral("true"), mime);
        QSignalSpy known(&mail, &CMailSender::availabilityKnown);
        mail.ProbeAvailability();
        QTRY_VERIFY(!known.isEmpty() && mail.IsAvailable() == shown);
        QTRY_COMPARE(Frame().Action(CommandId::FileSendMail)->isVisible(), shown);
        QCOMPARE(Frame().Action(CommandId::FileSendMail)->isEnabled(), shown);
    }
};

LODEX_TEST(MainFrameTest)
#include "tst_mainframe.moc"
