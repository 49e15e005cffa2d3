// Find on the real list: which rows a Find Next selects, what it leaves
// selected, where it starts, and the dialog's life.
#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/finddialog.h"
#include "view/listsearch.h"
#include "view/lodexview.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class ListSearchTest : public QObject
{
    Q_OBJECT

    CLodexDoc m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<CLodexView> m_view;
    std::unique_ptr<CListSearch> m_find;

    // Rows by full name and address.
    void Fill(const QList<QPair<const char *, const char *>> &rows)
    {
        ReflectorList list;
        for (const auto &[name, ip] : rows)
            list.push_back(RawRecord("France", "FR", name, "", ip));
        m_doc.m_listReflectors = std::move(list);
        m_doc.RefreshView();
    }

    CFindDialog *Dialog() const { return m_view->findChild<CFindDialog *>(QStringLiteral("findDialog")); }

    // Presses Find Next in the dialog with `text`; answers the selected rows.
    std::vector<int> FindNext(const QString &text, bool wholeWord = false)
    {
        m_find->OnEditFind();
        CFindDialog *dialog = Dialog();
        dialog->findChild<QLineEdit *>(QStringLiteral("findText"))->setText(text);
        dialog->findChild<QCheckBox *>(QStringLiteral("matchWholeWord"))->setChecked(wholeWord);
        dialog->findChild<QPushButton *>(QStringLiteral("findNext"))->click();
        return m_view->SelectedRows();
    }

    void CloseDialog()
    {
        Dialog()->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QString NoMatch() { return QStringLiteral("No reflector matches the criteria."); }

private slots:
    void init()
    {
        m_prompts = FakePrompts();
        m_doc.m_pPrompts = &m_prompts;
        m_view = std::make_unique<CLodexView>();
        m_view->AttachDocument(&m_doc);
        m_view->resize(700, 300);
        m_find = std::make_unique<CListSearch>(*m_view, m_prompts);
    }
    void cleanup()
    {
        m_find.reset();
        m_view.reset();
        m_doc.DeleteContents();
    }

    void searchesAddressesOrNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("hit"); // -1: the miss message
        // Rows: 0 "Lab 123" 10.0.0.12, 1 "Main LAB reflector" 10.1.123.4, 2 "lab" 10.0.0.1
        QTest::newRow("digits search addresses") << "123" << false << 1;
        QTest::newRow("address, trailing space") << "10.0.0.1 " << false << 0;
        QTest::newRow("address, whole word") << "10.0.0.1 " << true << 2;
        QTest::newRow("name containment") << "lab" << false << 0;
        QTest::newRow("name, whole word") << "LAB" << true << 2;
        QTest::newRow("leading space is searched") << " lab" << false << 1;
        QTest::newRow("16 characters: a name") << "10.1.123.4000000" << false << -1;
        QTest::newRow("no match") << "paris" << false << -1;
    }
    void searchesAddressesOrNames()
    {
        QFETCH(QString, text);
        QFETCH(bool, wholeWord);
        QFETCH(int, hit);
        Fill({{"Lab 123", "10.0.0.12"}, {"Main LAB reflector", "10.1.123.4"}, {"lab", "10.0.0.1"}});
        const std::vector<int> selected = FindNext(text, wholeWord);
        if (hit < 0) {
            QCOMPARE(m_prompts.messages, QStringList{NoMatch()});
            QVERIFY(selected.empty());
        } else {
            QVERIFY(m_prompts.messages.isEmpty());
            QCOMPARE(selected, std::vector<int>{hit});
            QCOMPARE(m_view->currentIndex().row(), hit);
        }
    }

    void successiveHitsMoveTheSelectionAndKeepTheUsersRows()
    {
        Fill({{"a lab", "1"}, {"other", "2"}, {"b lab", "3"}, {"c lab", "4"}, {"last", "5"}});
        m_view->selectRow(1); // the user's own selection stays
        QCOMPARE(FindNext(QStringLiteral("lab")), (std::vector<int>{0, 1}));
        QCOMPARE(FindNext(QStringLiteral("lab")), (std::vector<int>{1, 2}));
        QCOMPARE(FindNext(QStringLiteral("lab")), (std::vector<int>{1, 3}));
        QCOMPARE(m_view->currentIndex().row(), 3);
        // The third hit is not the last row: a miss, and nothing changes.
        QCOMPARE(FindNext(QStringLiteral("lab")), (std::vector<int>{1, 3}));
        QCOMPARE(m_prompts.messages, QStringList{NoMatch()});
        QCOMPARE(m_view->currentIndex().row(), 3);
        QCOMPARE(FindNext(QStringLiteral("lab")), (std::vector<int>{1, 3}));
        QCOMPARE(m_prompts.messages.size(), 2);
    }

    void aHitOnTheLastRowStartsAgainAtTheTop()
    {
        Fill({{"a lab", "1"}, {"other", "2"}, {"z lab", "3"}});
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{0});
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{2});
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{0});
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void spacesOnlyFindTheNextRow()
    {
        Fill({{"a", "1"}, {"b", "2"}});
        QCOMPARE(FindNext(QStringLiteral("   ")), std::vector<int>{0});
        QCOMPARE(FindNext(QStringLiteral("   ")), std::vector<int>{1});
    }

    void reopeningKeepsTheTextClosingForgetsTheHit()
    {
        Fill({{"a lab", "1"}, {"b lab", "2"}});
        FindNext(QStringLiteral("lab"));
        CFindDialog *dialog = Dialog();
        m_find->OnEditFind(); // only brings it forward
        QCOMPARE(Dialog(), dialog);
        QCOMPARE(dialog->FindText(), QStringLiteral("lab"));
        CloseDialog();
        QVERIFY(!Dialog());
        // A new dialog, empty, searching from the top again.
        m_find->OnEditFind();
        QVERIFY(Dialog() != nullptr);
        QCOMPARE(Dialog()->FindText(), QString());
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{0});
    }

    void repeatKeySearchesAgainFromTheCurrentRow()
    {
        Fill({{"a lab", "1"}, {"b lab", "2"}, {"other", "3"}, {"c lab", "4"}});
        // Nothing searched yet: the key opens the dialog.
        m_find->OnRepeatFind();
        QVERIFY(Dialog());
        QVERIFY(m_view->SelectedRows().empty());
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{0});
        m_find->OnRepeatFind(); // as the dialog's button
        QCOMPARE(m_view->SelectedRows(), std::vector<int>{1});
        // Closed, the dialog's hit is gone but not the text; the walk goes
        // on from the current row, the user's if he moved.
        CloseDialog();
        m_find->OnRepeatFind();
        QCOMPARE(m_view->SelectedRows(), std::vector<int>{3});
        m_view->selectRow(0);
        m_find->OnRepeatFind();
        QCOMPARE(m_view->SelectedRows(), std::vector<int>{1});
        QVERIFY(!Dialog());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void afterASortTheSearchGoesOnFromTheRememberedRow()
    {
        Fill({{"c lab", "1"}, {"a lab", "2"}, {"b lab", "3"}, {"d", "4"}});
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{0}); // "c lab"
        m_view->sortByColumn(2, Qt::AscendingOrder);                    // a lab, b lab, c lab, d
        m_view->clearSelection();
        QCOMPARE(FindNext(QStringLiteral("lab")), std::vector<int>{1}); // row 1 of the new order
        QCOMPARE(m_view->GetReflector(1)->m_strFullName.view(), "b lab");
    }

    void anEmptiedListFindsNothing()
    {
        Fill({{"a lab", "1"}, {"b lab", "2"}});
        FindNext(QStringLiteral("lab"));
        m_doc.DeleteContents();
        m_doc.RefreshView();
        FindNext(QStringLiteral("lab"));
        QCOMPARE(m_prompts.messages, QStringList{NoMatch()});
    }

    void aHitBelowTheVisibleRowsIsScrolledIntoView()
    {
        ReflectorList list = SampleList(400);
        list[350]->m_strFullName = "Needle";
        m_doc.m_listReflectors = std::move(list);
        m_doc.RefreshView();
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->horizontalScrollBar()->setValue(m_view->horizontalScrollBar()->maximum());
        const int horizontal = m_view->horizontalScrollBar()->value();
        FindNext(QStringLiteral("needle"));
        // The row, not the column: the column at the left edge may be cut.
        const QRect row = m_view->visualRect(m_view->model()->index(350, m_view->columnAt(0)));
        QVERIFY(row.top() >= 0 && row.bottom() < m_view->viewport()->height());
        QCOMPARE(m_view->horizontalScrollBar()->value(), horizontal); // columns left as they were
    }
};

LODEX_TEST(ListSearchTest)
#include "tst_listsearch.moc"
