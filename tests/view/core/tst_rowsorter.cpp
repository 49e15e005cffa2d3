// The list's sort order: the same as a stable sort by CReflector::Compare,
// either way, whatever the texts hold.
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/rowsorter.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

namespace {

// Texts that stress the comparison: case, shared prefixes beyond eight
// bytes, prefixes of each other, bytes above 0x7F, empty texts.
const char *const kTexts[] = {"", "a", "A", "ab", "Ab", "abcdefgh", "ABCDEFGH", "abcdefghi", "abcdefghI",
                              "abcdefghij", "abcdefgh0", "b", "\xc3\xa9t\xc3\xa9", "zz", "Z", "10.0.0.10",
                              "10.0.0.2", "[x]", "_y", "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYz"};

ReflectorList RandomList(int n, quint32 seed)
{
    QRandomGenerator random(seed);
    ReflectorList list;
    const int choices = int(std::size(kTexts));
    for (int i = 0; i < n; ++i) {
        auto r = RawRecord(kTexts[random.bounded(choices)], kTexts[random.bounded(choices)],
                           kTexts[random.bounded(choices)], kTexts[random.bounded(choices)],
                           kTexts[random.bounded(choices)], kTexts[random.bounded(choices)],
                           kTexts[random.bounded(choices)], kTexts[random.bounded(choices)]);
        r->m_bRunning = random.bounded(3);
        list.push_back(std::move(r));
    }
    return list;
}

} // namespace

class RowSorterTest : public QObject
{
    Q_OBJECT

private slots:
    void matchesStableSortByCompare_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("direction");
        for (int c = 0; c < CReflector::ColumnCount + 1; ++c) {
            QTest::addRow("column %d", c) << c << Qt::AscendingOrder;
            QTest::addRow("column %d, descending", c) << c << Qt::DescendingOrder;
        }
    }
    void matchesStableSortByCompare()
    {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, direction);
        const ReflectorList list = RandomList(2000, quint32(column) + 7);
        std::vector<CReflector *> rows;
        for (const auto &r : list)
            rows.push_back(r.get());

        std::vector<uint32_t> expected(rows.size());
        std::iota(expected.begin(), expected.end(), 0u);
        const int sign = direction == Qt::AscendingOrder ? 1 : -1;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](uint32_t a, uint32_t b) { return sign * rows[a]->Compare(*rows[b], column) < 0; });

        QCOMPARE(RowSorter::StableOrder(rows, column, direction), expected);
        QCOMPARE(RowSorter::ColumnHasOrder(column), column <= CReflector::ColEmail);
    }

    void emptyAndSingleRows()
    {
        QVERIFY(RowSorter::StableOrder({}, 0).empty());
        auto one = RawRecord("x", "", "", "", "");
        QCOMPARE(RowSorter::StableOrder({one.get()}, 0), std::vector<uint32_t>{0});
    }
};

LODEX_TEST(RowSorterTest)
#include "tst_rowsorter.moc"
