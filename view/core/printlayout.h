#pragma once

#include <cstdint>
#include <vector>

// What the printout needs to know of the printer, measured on the printer
// itself: the normal font's widest character and line height, and the
// printable area, all in device pixels.
struct PrintMetrics {
    int cxChar = 0;   // maximum character width of the normal font
    int cyLine = 0;   // text height plus external leading
    int horzRes = 0;  // printable width
    int vertRes = 0;  // printable height
};

// A rectangle in device pixels; right and bottom edges excluded.
struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PrintRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The report's page geometry: margins, entries per page, page count and
// where each line of a page goes. Pure arithmetic, so the layout is the
// same on paper, in the preview and in a PDF file.
//
// A device too small for the three header lines, a spare line and one
// entry still prints one entry per page (past the bottom margin) rather
// than dividing by zero or printing nothing.
class CPrintLayout
{
public:
    static constexpr int kHeaderLines = 3; // title, rule, blank
    static constexpr int kLinesPerEntry = 2;

    CPrintLayout() = default;
    CPrintLayout(const PrintMetrics &metrics, int itemCount);

    int m_cxChar = 0;
    int m_cyLine = 0;
    int m_xMargin = 0;
    int m_yMargin = 0;
    int m_cxPage = 0;
    int m_cyPage = 0;
    int m_nPrintItems = 0;
    int m_nPerPage = 0;

    // Never less than 1, also for an empty list.
    int PageCount() const { return m_nPageCount; }

    // Rows [first, end) of page `page` (from 1); empty beyond the last row.
    int FirstRow(int page) const;
    int EndRow(int page) const;

    // Header: title and page label share the top line; the rule lies half
    // a line below the second line's top.
    int HeaderTop() const { return m_yMargin; }
    int RuleY() const { return m_yMargin + (3 * m_cyLine) / 2; }
    int RuleLeft() const { return m_xMargin; }
    int RuleRight() const { return m_xMargin + m_cxPage; }
    // Left edge of a text of width `width` that ends at the right margin.
    int RightAlignedX(int width) const { return m_xMargin + m_cxPage - width; }

    // Entry `slot` of a page (0 for the page's first entry).
    int EntryTop(int slot) const;
    int FirstLineX() const { return m_xMargin; }
    int SecondLineX() const { return m_xMargin + 8 * m_cxChar; }
    int SecondLineTop(int slot) const { return EntryTop(slot) + m_cyLine; }
    // The first, third, fifth ... entry of every page lies on a band.
    static bool IsBanded(int slot) { return slot % 2 == 0; }
    PrintRect BandRect(int slot) const;

private:
    int m_nPageCount = 1;
};

// The pages a job prints when the user asked for `ranges` (inclusive page
// number pairs; none means all). Pages past the end are dropped; a request
// that lies wholly past the end prints the last page, so the user always
// gets a page rather than a silent empty job.
std::vector<int> PagesToPrint(const std::vector<std::pair<int, int>> &ranges, int pageCount);
