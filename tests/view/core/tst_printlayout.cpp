#include "support/testmain.h"
#include "view/core/printlayout.h"

#include <QTest>

using PageList = std::vector<int>;
using RangeList = std::vector<std::pair<int, int>>;
Q_DECLARE_METATYPE(PageList)
Q_DECLARE_METATYPE(RangeList)

class PrintLayoutTest : public QObject
{
    Q_OBJECT

    static CPrintLayout Example(int items) { return CPrintLayout({60, 100, 4800, 6400}, items); }

private slots:
    void pagination_data()
    {
        QTest::addColumn<int>("cyLine");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("perPage");
        QTest::addColumn<int>("pages");
        // 6400 - 2 x 200 = 6000 pixels = 60 lines: (60 - 4) / 2 = 28 entries.
        QTest::newRow("57 rows") << 100 << 6400 << 57 << 28 << 3;
        QTest::newRow("28 rows fill one page") << 100 << 6400 << 28 << 28 << 1;
        QTest::newRow("29th row opens a page") << 100 << 6400 << 29 << 28 << 2;
        QTest::newRow("empty list, one page") << 100 << 6400 << 0 << 28 << 1;
        QTest::newRow("part of a line is no line") << 100 << 6499 << 56 << 28 << 2;
        // An odd number of lines leaves the last one unused: 61 lines hold
        // 28 entries, 7 lines one.
        QTest::newRow("61 lines") << 100 << 6500 << 57 << 28 << 3;
        QTest::newRow("seven lines") << 100 << 1100 << 3 << 1 << 3;
        QTest::newRow("room for exactly one") << 100 << 1000 << 3 << 1 << 3;
        // Fewer than six lines between the margins: one entry per page
        // rather than a division by zero or a loop.
        QTest::newRow("five lines") << 100 << 900 << 3 << 1 << 3;
        QTest::newRow("page smaller than margins") << 100 << 10 << 2 << 1 << 2;
        QTest::newRow("no line height") << 0 << 6400 << 2 << 3196 << 1;
        QTest::newRow("a million rows") << 100 << 6400 << 1000000 << 28 << 35715;
    }
    void pagination()
    {
        QFETCH(int, cyLine);
        QFETCH(int, height);
        QFETCH(int, items);
        QFETCH(int, perPage);
        QFETCH(int, pages);
        const CPrintLayout layout({60, cyLine, 4800, height}, items);
        QCOMPARE(layout.m_nPerPage, perPage);
        QCOMPARE(layout.PageCount(), pages);
        QCOMPARE(layout.EndRow(pages), items);
        QCOMPARE(layout.FirstRow(pages + 1), items);
    }

    void exampleGeometry()
    {
        const CPrintLayout layout = Example(57);
        QCOMPARE(layout.m_xMargin, 240);
        QCOMPARE(layout.m_yMargin, 200);
        QCOMPARE(layout.m_cxPage, 4320);
        QCOMPARE(layout.m_cyPage, 6000);
        QCOMPARE(layout.RuleY(), 350);
        QCOMPARE(layout.RuleRight(), 4560);
        QCOMPARE(layout.RightAlignedX(600), 3960);
        QCOMPARE(layout.SecondLineX(), 720);
    }

    void entryPositions_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("banded");
        // Entries start three lines below the top margin, two lines each.
        QTest::newRow("first") << 0 << 500 << true;
        QTest::newRow("second") << 1 << 700 << false;
        QTest::newRow("third") << 2 << 900 << true;
        QTest::newRow("last of 28") << 27 << 5900 << false;
    }
    void entryPositions()
    {
        QFETCH(int, slot);
        QFETCH(int, top);
        QFETCH(bool, banded);
        const CPrintLayout layout = Example(57);
        QCOMPARE(layout.EntryTop(slot), top);
        QCOMPARE(layout.SecondLineTop(slot), top + 100);
        QCOMPARE(CPrintLayout::IsBanded(slot), banded);
        QCOMPARE(layout.BandRect(slot), (PrintRect{240, top, 4560, top + 200}));
        // The last entry ends on the bottom margin, never below it.
        QVERIFY(layout.BandRect(layout.m_nPerPage - 1).bottom <= 6400 - layout.m_yMargin);
    }

    void rowsOfPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("end");
        QTest::newRow("page 1") << 1 << 0 << 28;
        QTest::newRow("page 2") << 2 << 28 << 56;
        QTest::newRow("page 3, one entry") << 3 << 56 << 57;
        QTest::newRow("past the end") << 4 << 57 << 57;
    }
    void rowsOfPage()
    {
        QFETCH(int, page);
        QFETCH(int, first);
        QFETCH(int, end);
        const CPrintLayout layout = Example(57);
        QCOMPARE(layout.FirstRow(page), first);
        QCOMPARE(layout.EndRow(page), end);
    }

    void pagesToPrint_data()
    {
        QTest::addColumn<RangeList>("ranges");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<PageList>("pages");
        QTest::newRow("all") << RangeList{} << 3 << PageList{1, 2, 3};
        QTest::newRow("one page") << RangeList{{2, 2}} << 3 << PageList{2};
        QTest::newRow("clamped to the end") << RangeList{{2, 9}} << 3 << PageList{2, 3};
        QTest::newRow("wholly past the end") << RangeList{{5, 9}} << 3 << PageList{3};
        QTest::newRow("two ranges") << RangeList{{1, 1}, {3, 4}} << 3 << PageList{1, 3};
        QTest::newRow("overlapping ranges once each") << RangeList{{1, 2}, {2, 3}} << 3 << PageList{1, 2, 3};
        QTest::newRow("empty list") << RangeList{{1, 9999}} << 1 << PageList{1};
    }
    void pagesToPrint()
    {
        QFETCH(RangeList, ranges);
        QFETCH(int, pageCount);
        QFETCH(PageList, pages);
        QCOMPARE(PagesToPrint(ranges, pageCount), pages);
    }
};

LODEX_TEST(PrintLayoutTest)
#include "tst_printlayout.moc"
