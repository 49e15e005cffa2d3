#include "view/core/rowsorter.h"

#include "base/asciicase.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

namespace {

// The first eight folded bytes, big-endian, so that one integer comparison
// orders most pairs. Texts hold no zero byte, so the zero padding of a
// short text sorts it before any longer text it is a prefix of.
constexpr std::size_t kPrefixBytes = 8;

struct SortKey {
    uint64_t prefix;
    const unsigned char *tail; // folded bytes after the prefix
    uint32_t tailSize;
    uint32_t row;
};

bool KeyLess(const SortKey &a, const SortKey &b)
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    const uint32_t n = std::min(a.tailSize, b.tailSize);
    if (n) {
        const int c = std::memcmp(a.tail, b.tail, n);
        if (c)
            return c < 0;
    }
    return a.tailSize < b.tailSize;
}

} // namespace

namespace RowSorter {

bool ColumnHasOrder(int column)
{
    return column >= CReflector::ColCountry && column <= CReflector::ColEmail;
}

std::vector<uint32_t> StableOrder(const std::vector<CReflector *> &rows, int column, Qt::SortOrder direction)
{
    std::vector<uint32_t> order(rows.size());
    if (!ColumnHasOrder(column)) {
        std::iota(order.begin(), order.end(), 0u);
        return order;
    }

    std::size_t tailBytes = 0;
    for (const CReflector *r : rows)
        tailBytes += r->Text(column).size() > kPrefixBytes ? r->Text(column).size() - kPrefixBytes : 0;
    std::basic_string<unsigned char> tails(tailBytes, 0);

    std::vector<SortKey> keys(rows.size());
    std::size_t used = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string_view text = rows[i]->Text(column).view();
        SortKey &key = keys[i];
        key.prefix = 0;
        for (std::size_t b = 0; b < kPrefixBytes; ++b)
            key.prefix = (key.prefix << 8) | (b < text.size() ? (unsigned char)AsciiLower(text[b]) : 0);
        key.tailSize = text.size() > kPrefixBytes ? uint32_t(text.size() - kPrefixBytes) : 0;
        key.tail = tails.data() + used;
        for (uint32_t b = 0; b < key.tailSize; ++b)
            tails[used + b] = (unsigned char)AsciiLower(text[kPrefixBytes + b]);
        used += key.tailSize;
        key.row = uint32_t(i);
    }

    if (direction == Qt::AscendingOrder)
        std::stable_sort(keys.begin(), keys.end(), KeyLess);
    else
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey &a, const SortKey &b) { return KeyLess(b, a); });
    for (std::size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].row;
    return order;
}

} // namespace RowSorter
