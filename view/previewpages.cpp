#include "view/previewpages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 12;   // around the sheets, in screen pixels
constexpr int kGap = 12;      // between sheets
constexpr int kShadow = 3;
constexpr qreal kZoomStep = 1.25;
constexpr qreal kMinFactor = 0.005;
constexpr qreal kMaxFactor = 2.0; // device pixels are small: 2 is far beyond the paper's size
// The height of a sheet in the size the preview asks for.
constexpr int kHintSheetHeight = 640;

} // namespace

class CPreviewPages::Canvas : public QWidget
{
public:
    explicit Canvas(CPreviewPages &pages) : m_pages(pages) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().dark());
        m_pages.DrawSheets(painter, event->rect());
    }

private:
    CPreviewPages &m_pages;
};

CPreviewPages::CPreviewPages(QWidget *parent) : QScrollArea(parent), m_canvas(new Canvas(*this))
{
    setObjectName(QStringLiteral("previewPages"));
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Always there, so that fitting the width never makes room for it and
    // fits again.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CPreviewPages::FollowScrolling);
}

void CPreviewPages::SetPages(int count, const QSizeF &paper, const QRectF &printable, PageDrawer draw)
{
    m_count = std::max(0, count);
    m_paper = paper;
    m_printable = printable;
    m_draw = std::move(draw);
    m_current = 1;
    ApplyZoom(m_zoom, m_zoom == Zoom::Custom ? m_factor : FitFactor(m_zoom));
}

void CPreviewPages::SetCurrentPage(int page)
{
    m_current = std::clamp(page, 1, std::max(1, m_count));
    ScrollToCurrentRow();
    emit previewChanged();
}

void CPreviewPages::SetPageLayout(Layout layout)
{
    m_layout = layout;
    ApplyZoom(m_zoom, m_zoom == Zoom::Custom ? m_factor : FitFactor(m_zoom));
}

void CPreviewPages::ZoomIn()
{
    ApplyZoom(Zoom::Custom, m_factor * kZoomStep);
}

void CPreviewPages::ZoomOut()
{
    ApplyZoom(Zoom::Custom, m_factor / kZoomStep);
}

void CPreviewPages::FitToWidth()
{
    ApplyZoom(Zoom::FitWidth, FitFactor(Zoom::FitWidth));
}

void CPreviewPages::FitToPage()
{
    ApplyZoom(Zoom::FitPage, FitFactor(Zoom::FitPage));
}

QSize CPreviewPages::sizeHint() const
{
    if (m_paper.isEmpty())
        return QScrollArea::sizeHint();
    const qreal factor = kHintSheetHeight / m_paper.height();
    const int rowWidth = Columns() * qRound(m_paper.width() * factor) + (Columns() - 1) * kGap;
    return QSize(rowWidth + 2 * kMargin + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                 kHintSheetHeight + 2 * kMargin + 2 * frameWidth());
}

void CPreviewPages::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    ApplyZoom(m_zoom, m_zoom == Zoom::Custom ? m_factor : FitFactor(m_zoom));
}

QRect CPreviewPages::SheetRect(int page) const
{
    const int width = qRound(m_paper.width() * m_factor);
    const int height = qRound(m_paper.height() * m_factor);
    const int rowWidth = Columns() * width + (Columns() - 1) * kGap;
    const int left = std::max(kMargin, (m_canvas->width() - rowWidth) / 2);
    const int index = page - 1;
    return QRect(left + (index % Columns()) * (width + kGap), kMargin + (index / Columns()) * (height + kGap), width,
                 height);
}

QSize CPreviewPages::CanvasSize() const
{
    const int width = qRound(m_paper.width() * m_factor);
    const int height = qRound(m_paper.height() * m_factor);
    const int rows = std::max(1, Rows());
    const QSize view = maximumViewportSize();
    return QSize(std::max(view.width(), 2 * kMargin + Columns() * width + (Columns() - 1) * kGap),
                 std::max(view.height(), 2 * kMargin + rows * height + (rows - 1) * kGap));
}

qreal CPreviewPages::FitFactor(Zoom zoom) const
{
    if (m_paper.isEmpty())
        return m_factor;
    const QSize view = maximumViewportSize();
    const qreal byWidth = (view.width() - 2 * kMargin - (Columns() - 1) * kGap) / (Columns() * m_paper.width());
    if (zoom == Zoom::FitWidth)
        return byWidth;
    return std::min(byWidth, (view.height() - 2 * kMargin) / m_paper.height());
}

void CPreviewPages::ApplyZoom(Zoom zoom, qreal factor)
{
    m_zoom = zoom;
    m_factor = std::clamp(factor, kMinFactor, kMaxFactor);
    m_canvas->resize(CanvasSize());
    m_canvas->update();
    ScrollToCurrentRow();
    emit previewChanged();
}

void CPreviewPages::ScrollToCurrentRow()
{
    m_scrolling = true;
    verticalScrollBar()->setValue(SheetRect(m_current).top() - kMargin);
    m_scrolling = false;
}

void CPreviewPages::FollowScrolling()
{
    if (m_scrolling || m_count == 0)
        return;
    const int rowHeight = qRound(m_paper.height() * m_factor) + kGap;
    const int middle = verticalScrollBar()->value() + viewport()->height() / 2 - kMargin;
    const int row = std::clamp(middle / std::max(1, rowHeight), 0, Rows() - 1);
    if ((m_current - 1) / Columns() == row)
        return;
    m_current = row * Columns() + 1;
    emit previewChanged();
}

void CPreviewPages::DrawSheets(QPainter &painter, const QRect &exposed) const
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    // Only the rows in sight: a long list has thousands of pages.
    const int rowHeight = std::max(1, qRound(m_paper.height() * m_factor) + kGap);
    const int firstRow = std::max(0, (exposed.top() - kMargin - kShadow) / rowHeight);
    const int lastRow = std::max(0, (exposed.bottom() - kMargin) / rowHeight);
    const int last = std::min(m_count, (lastRow + 1) * Columns());
    for (int page = firstRow * Columns() + 1; page <= last; ++page) {
        const QRect sheet = SheetRect(page);
        if (!sheet.adjusted(0, 0, kShadow, kShadow).intersects(exposed))
            continue;
        painter.fillRect(sheet.translated(kShadow, kShadow), palette().shadow());
        painter.fillRect(sheet, Qt::white); // paper, whatever the colour scheme
        if (!m_draw)
            continue;
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(m_factor, m_factor);
        painter.translate(m_printable.topLeft());
        m_draw(painter, page);
        painter.restore();
    }
}
