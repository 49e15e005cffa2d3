#pragma once

#include <QScrollArea>

#include <functional>

class QPainter;

// The pages of a print job as the printer will print them, on sheets of
// its paper, one page or two side by side per row (1 and 2, then 3 and 4),
// at a zoom that fits the width, fits a whole row, or is the user's.
//
// Pages are drawn when they come into sight, straight from the report: a
// preview of a long list costs no more than the pages looked at.
class CPreviewPages : public QScrollArea
{
    Q_OBJECT

public:
    enum class Layout { OnePage, TwoPages };
    enum class Zoom { FitWidth, FitPage, Custom };
    // Draws page `page` (from 1) in the printer's device pixels, with the
    // origin at the top-left corner of the printable area.
    using PageDrawer = std::function<void(QPainter &painter, int page)>;

    explicit CPreviewPages(QWidget *parent = nullptr);

    // `count` pages on paper `paper` (device pixels) whose printable area
    // is `printable`, inside the paper.
    void SetPages(int count, const QSizeF &paper, const QRectF &printable, PageDrawer draw);

    int PageCount() const { return m_count; }
    // The page the user is at: set by SetCurrentPage, or the first page of
    // the row in the middle of the view after scrolling.
    int CurrentPage() const { return m_current; }
    void SetCurrentPage(int page);

    Layout PageLayout() const { return m_layout; }
    void SetPageLayout(Layout layout);

    Zoom ZoomMode() const { return m_zoom; }
    // Screen pixels per device pixel.
    qreal ZoomFactor() const { return m_factor; }
    void ZoomIn();
    void ZoomOut();
    void FitToWidth();
    void FitToPage();

    // Where the sheet of `page` lies in widget(), at the current zoom.
    QRect SheetRect(int page) const;

    QSize sizeHint() const override;

signals:
    // The current page, the layout or the zoom changed.
    void previewChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class Canvas;
    friend class Canvas;

    int Columns() const { return m_layout == Layout::TwoPages ? 2 : 1; }
    int Rows() const { return (m_count + Columns() - 1) / Columns(); }
    QSize CanvasSize() const;
    // The factor that fits the width, or a whole row, into the view.
    qreal FitFactor(Zoom zoom) const;
    void ApplyZoom(Zoom zoom, qreal factor);
    void ScrollToCurrentRow();
    void FollowScrolling();
    void DrawSheets(QPainter &painter, const QRect &exposed) const;

    Canvas *m_canvas;
    int m_count = 0;
    int m_current = 1;
    QSizeF m_paper;
    QRectF m_printable;
    PageDrawer m_draw;
    Layout m_layout = Layout::OnePage;
    Zoom m_zoom = Zoom::FitPage;
    qreal m_factor = 0.1;
    bool m_scrolling = false; // the view scrolls itself, not the user
};
