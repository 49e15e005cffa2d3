#include "view/core/printlayout.h"

#include <algorithm>

CPrintLayout::CPrintLayout(const PrintMetrics &metrics, int itemCount)
{
    // A font that measures nothing would make every division below fail.
    m_cxChar = std::max(metrics.cxChar, 0);
    m_cyLine = std::max(metrics.cyLine, 1);
    m_xMargin = 4 * m_cxChar;
    m_yMargin = 2 * m_cyLine;
    m_cxPage = metrics.horzRes - 2 * m_xMargin;
    m_cyPage = metrics.vertRes - 2 * m_yMargin;
    m_nPrintItems = std::max(itemCount, 0);
    m_nPerPage = ((m_cyPage / m_cyLine) - (kHeaderLines + 1)) / kLinesPerEntry;
    if (m_nPerPage < 1)
        m_nPerPage = 1;

    const int64_t pages = (int64_t(m_nPrintItems) + m_nPerPage - 1) / m_nPerPage;
    m_nPageCount = pages == 0 ? 1 : int(pages);
}

int CPrintLayout::FirstRow(int page) const
{
    const int64_t first = int64_t(std::max(page, 1) - 1) * m_nPerPage;
    return int(std::min<int64_t>(first, m_nPrintItems));
}

int CPrintLayout::EndRow(int page) const
{
    return int(std::min<int64_t>(int64_t(FirstRow(page)) + m_nPerPage, m_nPrintItems));
}

int CPrintLayout::EntryTop(int slot) const
{
    return m_yMargin + (kHeaderLines + kLinesPerEntry * slot) * m_cyLine;
}

PrintRect CPrintLayout::BandRect(int slot) const
{
    const int top = EntryTop(slot);
    return {m_xMargin, top, m_xMargin + m_cxPage, top + kLinesPerEntry * m_cyLine};
}

std::vector<int> PagesToPrint(const std::vector<std::pair<int, int>> &ranges, int pageCount)
{
    std::vector<int> pages;
    if (ranges.empty()) {
        for (int p = 1; p <= pageCount; ++p)
            pages.push_back(p);
        return pages;
    }
    bool askedBeyond = false;
    for (int p = 1; p <= pageCount; ++p) {
        for (const auto &range : ranges) {
            if (p >= range.first && p <= range.second) {
                pages.push_back(p);
                break;
            }
        }
    }
    for (const auto &range : ranges)
        askedBeyond = askedBeyond || range.second > pageCount;
    if (pages.empty() && askedBeyond && pageCount > 0)
        pages.push_back(pageCount);
    return pages;
}
