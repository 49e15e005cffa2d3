// The reflector list: rows over the document's records, columns and their
// stored widths, sorting, selection queries, context menu.
#include "base/settingsstore.h"
#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/rowselection.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

namespace {

QByteArrayList Column(const CLodexView &view, int column)
{
    QByteArrayList texts;
    for (int row = 0; row < view.GetRowCount(); ++row)
        texts << view.GetReflector(row)->Text(column).toByteArray();
    return texts;
}

int DefaultWidth(const CLodexView &view, int column)
{
    return view.horizontalHeader()->fontMetrics().horizontalAdvance(view.model()->headerData(column, Qt::Horizontal).toString())
           + 15;
}

// Stored widths are held to this (the test run has one screen).
int ScreenWidth()
{
    return QGuiApplication::primaryScreen()->availableGeometry().width();
}

// A document shown in a view, as the main window holds them.
struct ShownList {
    CLodexDoc doc;
    CLodexView view;

    explicit ShownList(ReflectorList list = {})
    {
        view.AttachDocument(&doc);
        doc.m_listReflectors = std::move(list);
        doc.RefreshView();
    }
};

} // namespace

class LodexViewTest : public QObject
{
    Q_OBJECT

    static void StoreWidths(const QString &text) { CSettingsStore().WriteText("ColumnWidth", text); }
    static QString StoredWidths() { return CSettingsStore().ReadText("ColumnWidth"); }
    // The width the view keeps for `column`, as it stores it.
    static int KeptWidth(const CLodexView &view, int column)
    {
        view.SaveColumnWidths();
        return StoredWidths().split(u',').value(column).toInt();
    }

    // Five records; full names in the order "b B a c A", countries two alike.
    static ReflectorList FiveRecords()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", "b", "", "10.0.0.1"));
        list.push_back(RawRecord("Chile", "CL", "B", "", "10.0.0.2"));
        list.push_back(RawRecord("France", "FR", "a", "", "10.0.0.3"));
        list.push_back(RawRecord("Brazil", "BR", "c", "", "10.0.0.4"));
        list.push_back(RawRecord("Chile", "CL", "A", "", "10.0.0.5"));
        return list;
    }

private slots:
    void init() { CSettingsStore().clear(); }

    void modelPassesTheTester()
    {
        ShownList fixture;
        auto &[doc, view] = fixture;
        QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        doc.m_listReflectors = FiveRecords();
        doc.RefreshView();
        view.selectRow(2);
        view.sortByColumn(CReflector::ColFullName, Qt::AscendingOrder);
        auto extra = RawRecord("Japan", "JP", "z", "", "10.0.0.9");
        extra->AddToView(-1, view);
        extra->AddToView(0, view);
        view.UpdateRow(1);
        view.ClearList();
        QCOMPARE(view.GetRowCount(), 0);
    }

    void cellsShowTheRecord_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0") << 0 << "No";
        QTest::newRow("1") << 1 << "Yes";
        QTest::newRow("2") << 2 << "Yes";
        QTest::newRow("0x8000") << 0x8000 << "Yes";
    }
    void cellsShowTheRecord()
    {
        QFETCH(int, flag);
        QFETCH(QString, shown);
        CLodexView view;
        auto r = RawRecord("C\xc3\xb4te d'Ivoire", "CI", "Full", "Short", "192.0.2.1", "Ann", "a@x.org", "12", flag,
                           flag, flag, flag);
        r->AddToView(0, view);
        const QAbstractItemModel *m = view.model();
        const QStringList expected{QStringLiteral("C\u00f4te d'Ivoire"), "CI", "Full", "Short", "192.0.2.1", "Ann",
                                   "a@x.org", "12", shown, shown, shown, shown};
        QStringList texts;
        for (int c = 0; c < CReflector::ColumnCount; ++c) {
            texts << m->index(0, c).data().toString();
            QCOMPARE(m->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
                     Qt::AlignLeft);
        }
        QCOMPARE(texts, expected);
    }

    void nullRecordGetsNoRow()
    {
        CLodexView view;
        QCOMPARE(view.InsertReflectorItem(0, nullptr), -1);
        QCOMPARE(view.GetRowCount(), 0);
        QCOMPARE(view.GetReflector(0), nullptr);
        QCOMPARE(view.GetReflector(-1), nullptr);
    }

    void headerClicksSortBothWaysAndRefillRestores_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QByteArrayList>("ascending"); // full names after the first click
        QTest::addColumn<QByteArrayList>("descending"); // after the second
        QTest::newRow("Full Name: case ignored, equals keep order")
            << 2 << QByteArrayList{"a", "A", "b", "B", "c"} << QByteArrayList{"c", "b", "B", "a", "A"};
        QTest::newRow("Country: equals keep order")
            << 0 << QByteArrayList{"c", "B", "A", "b", "a"} << QByteArrayList{"b", "a", "B", "A", "c"};
        for (int c = CReflector::ColConferenceID; c < CReflector::ColumnCount; ++c)
            QTest::addRow("column %d compares all equal", c)
                << c << QByteArrayList{"b", "B", "a", "c", "A"} << QByteArrayList{"b", "B", "a", "c", "A"};
    }
    void headerClicksSortBothWaysAndRefillRestores()
    {
        QFETCH(int, column);
        QFETCH(QByteArrayList, ascending);
        QFETCH(QByteArrayList, descending);
        ShownList fixture(FiveRecords());
        auto &[doc, view] = fixture;
        view.resize(1200, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QHeaderView *header = view.horizontalHeader();
        view.scrollTo(view.model()->index(0, column));
        const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        auto arrow = [header] { return std::pair(header->sortIndicatorSection(), header->sortIndicatorOrder()); };
        QCOMPARE(arrow().first, -1); // no arrow until a sort
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
        QCOMPARE(Column(view, CReflector::ColFullName), ascending);
        QCOMPARE(arrow(), std::pair(column, Qt::AscendingOrder));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle, 300);
        QCOMPARE(Column(view, CReflector::ColFullName), descending);
        QCOMPARE(arrow(), std::pair(column, Qt::DescendingOrder));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle, 300);
        QCOMPARE(Column(view, CReflector::ColFullName), ascending);
        // Only the rows moved; a refill shows the document's order again,
        // without an arrow, and the next click starts ascending.
        QCOMPARE(doc.m_listReflectors[0]->m_strFullName.toByteArray(), QByteArray("b"));
        doc.RefreshView();
        QCOMPARE(Column(view, CReflector::ColFullName), QByteArrayList({"b", "B", "a", "c", "A"}));
        QCOMPARE(arrow().first, -1);
        QCOMPARE(view.SortColumn(), -1);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle, 300);
        QCOMPARE(Column(view, CReflector::ColFullName), ascending);
        // The table's own sort call sorts as the clicks do.
        doc.RefreshView();
        view.sortByColumn(column, Qt::DescendingOrder);
        QCOMPARE(Column(view, CReflector::ColFullName), descending);
    }

    void addedRecordsTakeTheLastRowSortedOrNot()
    {
        // Rows in the list's order are the list itself until sorted.
        ShownList fixture(FiveRecords());
        auto &[doc, view] = fixture;
        doc.AddOrMerge(RawRecord("", "", "d", "", "10.0.0.6"));
        QCOMPARE(Column(view, CReflector::ColFullName), QByteArrayList({"b", "B", "a", "c", "A", "d"}));
        view.sortByColumn(CReflector::ColFullName, Qt::AscendingOrder);
        doc.AddOrMerge(RawRecord("", "", "0", "", "10.0.0.7"));
        QCOMPARE(Column(view, CReflector::ColFullName), QByteArrayList({"a", "A", "b", "B", "c", "d", "0"}));
        QCOMPARE(view.FindRow(doc.m_listReflectors[0].get()), 2);
        doc.RefreshView();
        QCOMPARE(view.FindRow(doc.m_listReflectors[0].get()), 0);
        QCOMPARE(view.GetReflector(6), doc.m_listReflectors[6].get());
    }

    void sortKeepsTheSelectionWithItsRecords()
    {
        ShownList fixture(FiveRecords());
        auto &[doc, view] = fixture;
        view.selectRow(0);   // "b"
        SelectAlso(view, 3); // "c"
        int cursor = -1; // the rows move under the wait cursor, which goes with the sort
        connect(view.model(), &QAbstractItemModel::layoutAboutToBeChanged, &view, [&cursor] {
            cursor = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : -1; });
        view.SortRows(CReflector::ColFullName, Qt::AscendingOrder);
        QCOMPARE(cursor, int(Qt::WaitCursor));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(view.SelectedRows(), std::vector<int>({2, 4}));
        QCOMPARE(view.GetReflector(view.currentIndex().row())->m_strFullName.toByteArray(), QByteArray("c"));
    }

    void selectionQueries()
    {
        ShownList fixture(SampleList(8));
        auto &[doc, view] = fixture;
        QCOMPARE(view.GetNextSelected(-1), -1);
        QCOMPARE(view.GetSelectedCount(), 0);
        auto *m = view.model();
        // Overlapping ranges, as a second select over a selection makes.
        view.selectionModel()->select(QItemSelection(m->index(1, 0), m->index(3, 11)), QItemSelectionModel::Select);
        view.selectionModel()->select(QItemSelection(m->index(2, 0), m->index(3, 11)), QItemSelectionModel::Select);
        view.selectionModel()->select(QItemSelection(m->index(6, 0), m->index(6, 11)), QItemSelectionModel::Select);
        QCOMPARE(view.GetSelectedCount(), 4);
        QList<int> walked;
        for (int row = view.GetNextSelected(-1); row >= 0; row = view.GetNextSelected(row))
            walked << row;
        QCOMPARE(walked, QList<int>({1, 2, 3, 6}));
        view.clearSelection();
        QCOMPARE(view.GetSelectedCount(), 0);
    }

    void rowsNeverOutliveRecords()
    {
        auto view = std::make_unique<CLodexView>();
        {
            CLodexDoc doc;
            view->AttachDocument(&doc);
            doc.m_listReflectors = SampleList(3);
            doc.RefreshView();
            QCOMPARE(view->GetRowCount(), 3);
        }
        QCOMPARE(view->GetRowCount(), 0); // the document took its rows along

        CLodexDoc doc;
        view->AttachDocument(&doc);
        QCOMPARE(doc.m_pView, static_cast<CDocView *>(view.get()));
        view.reset();
        QCOMPARE(doc.m_pView, nullptr);
        doc.m_listReflectors = SampleList(1);
        doc.RefreshView(); // no view: nothing to do
    }

    void storedColumnWidths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("widths"); // -1: the column's default
        const QList<int> defaults(12, -1);
        QTest::newRow("missing") << "" << defaults;
        QTest::newRow("eleven numbers") << "1,2,3,4,5,6,7,8,9,10,11" << defaults;
        QTest::newRow("a letter") << "10,20,30,x,50,60,70,80,90,100,110,120" << defaults;
        QTest::newRow("twelve") << "10,20,30,40,50,60,70,80,90,100,110,120"
                                << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
        QTest::newRow("twelve and more text") << "10,20,30,40,50,60,70,80,90,100,110,120;junk"
                                              << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
        QTest::newRow("blanks before numbers") << " 10, 20,30,40,50,60,70,80,90,100,110,120"
                                               << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
        QTest::newRow("zero stays") << "0,20,30,40,50,60,70,80,90,100,110,0"
                                    << QList<int>{0, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 0};
        QTest::newRow("one -1") << "10,-1,30,40,50,60,70,80,90,100,110,120"
                                << QList<int>{10, -1, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
        QTest::newRow("huge: cut to the screen") << "10,2147483647,30,40,50,60,70,80,90,100,110,120"
                                                 << QList<int>{10, 2147483647, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    }
    void storedColumnWidths()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, widths);
        if (!stored.isEmpty())
            StoreWidths(stored);
        QStringList expectedText;
        {
            CLodexView view;
            for (int c = 0; c < CReflector::ColumnCount; ++c) {
                const int expected = widths[c] == -1 ? DefaultWidth(view, c) : std::min(widths[c], ScreenWidth());
                QCOMPARE(view.horizontalHeader()->sectionSize(c), expected);
                expectedText << QString::number(expected);
            }
        }
        // Saved when the view goes: every -1 replaced by its computed width.
        QCOMPARE(StoredWidths(), expectedText.join(QLatin1Char(',')));
    }

    void handEditedWidthsWithoutQuotes()
    {
        // Typed into the settings file without quotes, the value reads back
        // as a list of texts.
        CSettingsStore().setValue(QStringLiteral("Settings/ColumnWidth"),
                                  QStringList{"11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22"});
        CLodexView view;
        QCOMPARE(view.horizontalHeader()->sectionSize(0), 11);
        QCOMPARE(view.horizontalHeader()->sectionSize(11), 22);
    }

    // Without stored widths the first rows widen their columns, within a
    // quarter of the screen; a stored width stays as it is.
    void firstRowsWidenColumnsWithoutAStoredWidth()
    {
        StoreWidths(QStringLiteral("40,40,40,40,-1,40,-1,40,40,40,40,40"));
        const QByteArray longMail = QByteArray(300, 'm') + "@example.org";
        ReflectorList rows;
        rows.push_back(RawRecord("France", "FR", "Paris", "P", "10.0.0.1", "", "a@b.fr"));
        rows.push_back(RawRecord("Chile", "CL", "S", "S", "255.255.255.255", "", longMail.data()));
        ShownList fixture(std::move(rows));
        auto &[doc, view] = fixture;
        const int margin = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
        const int ipWidth = view.fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + margin;
        const QHeaderView *header = view.horizontalHeader();
        const int fitted = header->sectionSize(CReflector::ColIPAddress);
        QVERIFY2(fitted >= ipWidth, qPrintable(QStringLiteral("%1 < %2").arg(fitted).arg(ipWidth)));
        QCOMPARE(KeptWidth(view, CReflector::ColIPAddress), fitted);
        QCOMPARE(header->sectionSize(CReflector::ColEmail), ScreenWidth() / 4);
        QCOMPARE(header->sectionSize(CReflector::ColFullName), 40);
        // Fitted once: later rows leave the widths alone.
        doc.m_listReflectors.push_back(RawRecord("Peru", "PE", "Lima", "L", "100.100.100.100.100.100", ""));
        doc.RefreshView();
        QCOMPARE(header->sectionSize(CReflector::ColIPAddress), fitted);
    }

    void onlyADividerDragChangesTheStoredWidth()
    {
        StoreWidths(QStringLiteral("100,100,100,100,100,100,100,100,100,100,100,100"));
        CLodexView view;
        view.resize(1400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QHeaderView *header = view.horizontalHeader();

        header->resizeSection(0, 150); // not by the user
        QCOMPARE(KeptWidth(view, 0), 100);

        const int y = header->height() / 2;
        const QPoint divider(header->sectionViewportPosition(1) + header->sectionSize(1) - 1, y);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, divider);
        QMouseEvent move(QEvent::MouseMove, QPointF(divider + QPoint(40, 0)),
                         header->viewport()->mapToGlobal(QPointF(divider + QPoint(40, 0))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, divider + QPoint(40, 0));
        QCOMPARE(header->sectionSize(1), 140);
        QCOMPARE(KeptWidth(view, 1), 140);
        header->resizeSection(1, 60); // after the drag: not kept
        QCOMPARE(KeptWidth(view, 1), 140);

        // A double-click on a divider fits the column, and that is kept too.
        const QPoint third(header->sectionViewportPosition(2) + header->sectionSize(2) - 1, y);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, third);
        QVERIFY(header->sectionSize(2) != 100);
        QCOMPARE(KeptWidth(view, 2), header->sectionSize(2));
    }

    void contextMenuHoldsTheCommandsAndOpensWhereAsked()
    {
        ShownList fixture(SampleList(20));
        auto &[doc, view] = fixture;
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QAction add(QStringLiteral("&Add")), edit(QStringLiteral("&Edit")), del(QStringLiteral("&Delete"));
        view.SetContextMenuActions({&add, &edit, &del});
        std::unique_ptr<QMenu> menu(view.CreateContextMenu(&view));
        QCOMPARE(menu->actions(), QList<QAction *>({&add, &edit, &del}));

        const QPoint mouse(123, 45);
        QContextMenuEvent byMouse(QContextMenuEvent::Mouse, mouse, view.viewport()->mapToGlobal(mouse));
        QCOMPARE(view.ContextMenuPosition(byMouse), view.viewport()->mapToGlobal(mouse));

        // From the keyboard: below the current row, or at the top without one.
        QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(-1, -1), QPoint(-1, -1));
        view.selectionModel()->clearCurrentIndex();
        QCOMPARE(view.ContextMenuPosition(byKey), view.viewport()->mapToGlobal(QPoint(0, 0)));
        view.selectRow(3);
        const QRect row = view.visualRect(view.model()->index(3, 0));
        QVERIFY(view.viewport()->mapFromGlobal(view.ContextMenuPosition(byKey)).y() == row.bottom());

        // Shift+F10 asks for it as the Menu key does.
        QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier);
        QMenu *shown = nullptr;
        for (QMenu *m : view.findChildren<QMenu *>(QStringLiteral("listContextMenu")))
            if (m->isVisible())
                shown = m;
        QVERIFY(shown);
        QCOMPARE(shown->actions(), QList<QAction *>({&add, &edit, &del}));
        shown->close();
    }

    void keysMoveToAndSelectRows_data()
    {
        QTest::addColumn<int>("selected"); // -1: none, as at start
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<std::vector<int>>("selectedAfter");
        QTest::newRow("first Down selects the first row") << -1 << QKeyCombination(Qt::Key_Down) << std::vector<int>{0};
        QTest::newRow("End") << 1 << QKeyCombination(Qt::Key_End) << std::vector<int>{4};
        QTest::newRow("Home") << 3 << QKeyCombination(Qt::Key_Home) << std::vector<int>{0};
        QTest::newRow("Ctrl+End leaves no row selected out of sight")
            << 1 << (Qt::CTRL | Qt::Key_End) << std::vector<int>{4};
        QTest::newRow("Ctrl+Home") << 3 << (Qt::CTRL | Qt::Key_Home) << std::vector<int>{0};
        QTest::newRow("Shift+End extends") << 2 << (Qt::SHIFT | Qt::Key_End) << std::vector<int>{2, 3, 4};
    }
    void keysMoveToAndSelectRows()
    {
        QFETCH(int, selected);
        QFETCH(QKeyCombination, key);
        QFETCH(std::vector<int>, selectedAfter);
        ShownList fixture(FiveRecords());
        auto &[doc, view] = fixture;
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.setFocus();
        if (selected >= 0)
            view.selectRow(selected);
        QTest::keyClick(&view, key.key(), key.keyboardModifiers());
        QCOMPARE(view.SelectedRows(), selectedAfter);
        QCOMPARE(view.currentIndex().row(), selectedAfter.back());
    }

    void dragOutGoesToTheInstalledHandler()
    {
        ShownList fixture(SampleList(3));
        auto &[doc, view] = fixture;
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!view.dragEnabled());
        int drags = 0;
        view.SetDragHandler([&drags](Qt::DropActions) { ++drags; });
        QVERIFY(view.dragEnabled());
        const QPoint start = view.visualRect(view.model()->index(1, 0)).center();
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, start);
        const QPoint far = start + QPoint(0, 3 * QApplication::startDragDistance() + 10);
        QMouseEvent move(QEvent::MouseMove, QPointF(far), view.viewport()->mapToGlobal(QPointF(far)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &move); // the drag begins
        QCoreApplication::sendEvent(view.viewport(), &move); // and starts
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, far);
        QCOMPARE(drags, 1);
    }

    void doubleClickAsksForEdit()
    {
        ShownList fixture(SampleList(2));
        auto &[doc, view] = fixture;
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy edits(&view, &CLodexView::editRequested);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(1, 2)).center());
        QCOMPARE(edits.size(), 1);
        // Below the rows too: the Edit handler decides, from the selection.
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 280));
        QCOMPARE(edits.size(), 2);
    }
};

LODEX_TEST(LodexViewTest)
#include "tst_lodexview.moc"
