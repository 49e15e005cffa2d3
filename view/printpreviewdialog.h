#pragma once

#include <QDialog>

#include <functional>

class CPreviewPages;
class QAction;
class QLabel;

// The print preview window: the pages of a job as the printer will print
// them, under a tool bar to print, zoom, show one page or two pages side
// by side and go from page to page. Pages().SetPages() gives it the pages.
class CPrintPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // The tool bar's commands, in its order.
    enum Command {
        Print,
        ZoomIn,
        ZoomOut,
        FitWidth,
        FitPage,
        SinglePage,
        TwoPages,
        FirstPage,
        PreviousPage,
        NextPage,
        LastPage,
        Close,
        CommandCount
    };

    explicit CPrintPreviewDialog(QWidget *parent = nullptr);

    CPreviewPages &Pages() const { return *m_pages; }
    QAction *Action(Command command) const { return m_actions[command]; }

    // Print runs `print`, which answers whether a job ran; the preview then
    // closes. Cancelling the job's dialog leaves the preview open.
    void SetPrintHandler(std::function<bool()> print) { m_print = std::move(print); }

    void setVisible(bool visible) override;

private:
    void Run(Command command);
    // The check marks, the page buttons and the page number, from what the
    // preview shows now.
    void UpdateActions();

    CPreviewPages *m_pages;
    QLabel *m_pageNumber;
    QAction *m_actions[CommandCount] = {};
    std::function<bool()> m_print;
    bool m_sized = false;
};
