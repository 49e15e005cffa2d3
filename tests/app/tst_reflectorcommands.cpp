// Add, Edit and double-click as the user runs them in the main window, with
// the record dialogs answered by script or, at the end, by the real dialogs.
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/lodexdoc.h"
#include "dialogs/conflictdialog.h"
#include "dialogs/reflectordialog.h"
#include "support/appfixture.h"
#include "support/modalwatch.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kFullNameColumn = 2;

} // namespace

class ReflectorCommandsTest : public QObject, AppFixture
{
    Q_OBJECT

    static QString Shown(int row) { return View().model()->index(row, kFullNameColumn).data().toString(); }
    static QStringList ShownNames()
    {
        QStringList names;
        for (int row = 0; row < View().GetRowCount(); ++row)
            names << Shown(row);
        return names;
    }

    // Three records, listed Charlie, Alpha, Bravo (192.0.2.1 to .3), shown
    // sorted on the full name: Alpha, Bravo, Charlie.
    void StartSorted()
    {
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        Doc().m_listReflectors = SampleList(3);
        const char *names[] = {"Charlie", "Alpha", "Bravo"};
        for (int i = 0; i < 3; ++i)
            Doc().m_listReflectors[size_t(i)]->m_strFullName = names[i];
        Doc().RefreshView();
        View().sortByColumn(kFullNameColumn, Qt::AscendingOrder);
        QCOMPARE(ShownNames(), QStringList({"Alpha", "Bravo", "Charlie"}));
    }

private slots:
    void init() { BeginTest(); }
    void cleanup() { EndTest(); }

    void addAppendsARowAtTheBottom()
    {
        StartSorted();
        const QStringList before = ShownNames();
        m_prompts.reflectorDialog = [](ReflectorValues &v, bool) {
            v.text[CReflector::ColFullName] = "Added";
            v.text[CReflector::ColIPAddress] = "10.0.0.1";
            return true;
        };
        QVERIFY(Trigger(CommandId::ReflectorAdd));
        QCOMPARE(ShownNames(), before + QStringList{"Added"});
        QVERIFY(Doc().IsModified());
    }

    void editRewritesTheSameRow_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Edit command") << false;
        QTest::newRow("double-click") << true;
    }
    void editRewritesTheSameRow()
    {
        QFETCH(bool, doubleClick);
        StartSorted();
        QStringList expected = ShownNames();
        const int row = 1;
        View().selectRow(row);
        m_prompts.reflectorDialog = [](ReflectorValues &v, bool editMode) {
            v.text[CReflector::ColFullName] = "Edited";
            return editMode;
        };
        if (doubleClick) {
            const QRect cell = View().visualRect(View().model()->index(row, kFullNameColumn));
            QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QVERIFY(Trigger(CommandId::ReflectorEdit));
        }
        expected[row] = QStringLiteral("Edited");
        QCOMPARE(ShownNames(), expected);
        QCOMPARE(m_prompts.reflectorDialogs, 1);
        QVERIFY(Doc().IsModified());
    }

    void editWithoutSelectionShowsNothing()
    {
        StartSorted();
        QVERIFY(!Trigger(CommandId::ReflectorEdit));
        emit View().editRequested();
        QCOMPARE(m_prompts.reflectorDialogs, 0);
    }

    void contextMenuOffersAddAndEdit()
    {
        StartSorted();
        const std::unique_ptr<QMenu> menu(View().CreateContextMenu(nullptr));
        const QList<QAction *> actions = menu->actions();
        QVERIFY(actions.contains(Frame().Action(CommandId::ReflectorAdd)));
        QVERIFY(actions.contains(Frame().Action(CommandId::ReflectorEdit)));
    }

    // The real dialogs, driven as a user would: Add a reflector with the
    // address of the second record, then keep that address in the conflict
    // dialog, which updates the record in its row.
    void realDialogsMergeIntoTheExistingRow()
    {
        StartSorted();
        App().SetPrompts(nullptr);
        const int row = View().FindRow(Doc().m_listReflectors[1].get());
        QStringList expected = ShownNames();

        bool conflictShown = false;
        WhenShown<CReflectorDialog>([&conflictShown](CReflectorDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("fullName"))->setText(QStringLiteral("Merged"));
            dialog->findChild<QLineEdit *>(QStringLiteral("shortName"))->setText(QStringLiteral("M"));
            dialog->findChild<QLineEdit *>(QStringLiteral("ipAddress"))->setText(QStringLiteral("192.0.2.2"));
            WhenShown<CConflictDialog>([&conflictShown](CConflictDialog *conflict) {
                conflictShown = true;
                auto *fullName = conflict->findChild<QComboBox *>(QStringLiteral("fullName"));
                fullName->setCurrentIndex(fullName->findText(QStringLiteral("Merged")));
                conflict->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
            });
            dialog->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        });
        QVERIFY(Trigger(CommandId::ReflectorAdd));

        QVERIFY(conflictShown);
        QCOMPARE(Doc().m_listReflectors.size(), size_t(3));
        expected[row] = QStringLiteral("Merged");
        QCOMPARE(ShownNames(), expected);
        // Fields the user left alone in the conflict dialog keep the existing value.
        QCOMPARE(Doc().m_listReflectors[1]->m_strShortName.toByteArray(), QByteArray("R2"));
    }

    void realDialogCancelChangesNothing()
    {
        StartSorted();
        App().SetPrompts(nullptr);
        Doc().SetModifiedFlag(false);
        WhenShown<CReflectorDialog>([](CReflectorDialog *dialog) { dialog->reject(); });
        QVERIFY(Trigger(CommandId::ReflectorAdd));
        QCOMPARE(View().GetRowCount(), 3);
        QVERIFY(!Doc().IsModified());
    }
};

LODEX_TEST(ReflectorCommandsTest)
#include "tst_reflectorcommands.moc"
