#include "view/reportprinter.h"

#include "data/docview.h"
#include "resources/bitmaps.h"
#include "view/core/reporttext.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>

ReportRows ReportRows::FromView(const CDocView &view)
{
    return {[&view] { return view.GetRowCount(); }, [&view](int row) -> const CReflector * {
                return view.GetReflector(row);
            }};
}

ReportRows ReportRows::FromList(const ReflectorList &list)
{
    return {[&list] { return int(list.size()); }, [&list](int row) -> const CReflector * {
                return row >= 0 && size_t(row) < list.size() ? list[size_t(row)].get() : nullptr;
            }};
}

CReportPrinter::CReportPrinter(QString title, ReportRows rows)
    : m_strTitle(std::move(title)), m_rows(std::move(rows))
{
}

QFont CReportPrinter::ReportFont(int dpiY, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // The character height of 10 points in the device's own pixels.
    font.setPixelSize(std::max(1, dpiY * 10 / 72));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setKerning(false);
    return font;
}

int CReportPrinter::BeginPrinting(const QPaintDevice &device)
{
    m_pDevice = &device;
    m_fontNormal = ReportFont(device.logicalDpiY(), false);
    m_fontBold = ReportFont(device.logicalDpiY(), true);

    const QFontMetrics metrics(*m_fontNormal, &device);
    PrintMetrics measured;
    measured.cxChar = metrics.maxWidth();
    measured.cyLine = metrics.lineSpacing();
    measured.horzRes = device.width();
    measured.vertRes = device.height();
    m_layout = CPrintLayout(measured, m_rows.count ? m_rows.count() : 0);
    return m_layout.PageCount();
}

void CReportPrinter::EndPrinting()
{
    m_fontNormal.reset();
    m_fontBold.reset();
    m_pDevice = nullptr;
}

void CReportPrinter::PrintPage(QPainter &painter, int page) const
{
    if (!m_fontNormal)
        return;
    painter.save();
    // The report's lines read left to right whatever the names in them.
    painter.setLayoutDirection(Qt::LeftToRight);
    PrintHeader(painter, page);
    PrintBody(painter, page);
    painter.restore();
}

namespace {

// Text whose cell's top-left corner is (x, top), as the font's ascent puts
// the baseline below it.
void DrawTextAt(QPainter &painter, const QFontMetrics &metrics, int x, int top, const QString &text)
{
    painter.drawText(x, top + metrics.ascent(), text);
}

} // namespace

void CReportPrinter::PrintHeader(QPainter &painter, int page) const
{
    const QFontMetrics metrics(*m_fontNormal, m_pDevice);
    painter.setFont(*m_fontNormal);
    DrawTextAt(painter, metrics, m_layout.m_xMargin, m_layout.HeaderTop(), m_strTitle);

    const QString label = ReportText::PageLabel(page, m_layout.PageCount());
    DrawTextAt(painter, metrics, m_layout.RightAlignedX(metrics.horizontalAdvance(label)), m_layout.HeaderTop(),
               label);

    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(m_layout.RuleLeft(), m_layout.RuleY(), m_layout.RuleRight(), m_layout.RuleY());
}

void CReportPrinter::PrintBody(QPainter &painter, int page) const
{
    const QFontMetrics normal(*m_fontNormal, m_pDevice);
    const QFontMetrics bold(*m_fontBold, m_pDevice);
    // A page drawn at some zoom (the preview) would alias dots one device
    // pixel wide into blotches: there the band takes the tint the dots make
    // on paper.
    const bool zoomed = painter.worldTransform().isScaling();
    const QBrush band = zoomed ? QBrush(BandPatternTint()) : QBrush(BandPatternBitmap());
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrushOrigin(0, 0);

    const int first = m_layout.FirstRow(page);
    const int end = m_layout.EndRow(page);
    for (int row = first; row < end; ++row) {
        const CReflector *reflector = m_rows.at(row);
        if (!reflector)
            break;
        const int slot = row - first;
        if (CPrintLayout::IsBanded(slot)) {
            const PrintRect r = m_layout.BandRect(slot);
            painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), band);
        }
        painter.setFont(*m_fontBold);
        DrawTextAt(painter, bold, m_layout.FirstLineX(), m_layout.EntryTop(slot),
                   ReportText::FirstLine(row + 1, *reflector));
        painter.setFont(*m_fontNormal);
        DrawTextAt(painter, normal, m_layout.SecondLineX(), m_layout.SecondLineTop(slot),
                   ReportText::SecondLine(*reflector));
    }
}

bool CReportPrinter::Print(QPagedPaintDevice &device, QString *error)
{
    const int pageCount = BeginPrinting(device);
    std::vector<std::pair<int, int>> ranges;
    for (const QPageRanges::Range &range : device.pageRanges().toRangeList())
        ranges.emplace_back(range.from, range.to);
    const std::vector<int> pages = PagesToPrint(ranges, pageCount);

    QPainter painter;
    bool ok = painter.begin(&device);
    bool cancelled = false;
    const int total = int(pages.size());
    for (int i = 0; ok && !cancelled && i < total; ++i) {
        if (i > 0)
            ok = device.newPage();
        if (ok)
            PrintPage(painter, pages[size_t(i)]);
        cancelled = m_progress && !m_progress(i + 1, total);
    }
    if (cancelled) {
        if (auto *printer = dynamic_cast<QPrinter *>(&device))
            printer->abort();
    }
    if (painter.isActive())
        ok = painter.end() && ok;
    EndPrinting();
    if (!ok && !cancelled && error)
        *error = QCoreApplication::translate("CReportPrinter", "The printer could not print the list.");
    return ok && !cancelled;
}
