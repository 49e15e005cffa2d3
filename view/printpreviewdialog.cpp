#include "view/printpreviewdialog.h"

#include "view/previewpages.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct CommandInfo {
    const char *text;
    QKeySequence::StandardKey key; // UnknownKey: none
    bool checkable;                // shows a state of the preview
    bool startsGroup;              // a separator goes before it
};

// By CPrintPreviewDialog::Command. The buttons show their texts, which
// read the same with any icon theme or none.
const CommandInfo kCommands[] = {
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Print..."), QKeySequence::Print, false, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Zoom In"), QKeySequence::ZoomIn, false, true},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Zoom Out"), QKeySequence::ZoomOut, false, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Fit Width"), QKeySequence::UnknownKey, true, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Fit Page"), QKeySequence::UnknownKey, true, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "One Page"), QKeySequence::UnknownKey, true, true},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Two Pages"), QKeySequence::UnknownKey, true, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "First"), QKeySequence::UnknownKey, false, true},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Previous"), QKeySequence::UnknownKey, false, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Next"), QKeySequence::UnknownKey, false, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Last"), QKeySequence::UnknownKey, false, false},
    {QT_TRANSLATE_NOOP("CPrintPreviewDialog", "Close"), QKeySequence::UnknownKey, false, true},
};
static_assert(std::size(kCommands) == CPrintPreviewDialog::CommandCount, "one entry per command");

} // namespace

CPrintPreviewDialog::CPrintPreviewDialog(QWidget *parent)
    : QDialog(parent), m_pages(new CPreviewPages(this)), m_pageNumber(new QLabel(this))
{
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(tr("Print Preview"));
    setSizeGripEnabled(true);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int command = 0; command < CommandCount; ++command) {
        const CommandInfo &info = kCommands[command];
        if (info.startsGroup)
            bar->addSeparator();
        auto *action = bar->addAction(tr(info.text));
        action->setShortcut(QKeySequence(info.key));
        action->setCheckable(info.checkable);
        connect(action, &QAction::triggered, this, [this, command] { Run(Command(command)); });
        m_actions[command] = action;
        if (command == PreviousPage)
            bar->addWidget(m_pageNumber);
    }
    m_pageNumber->setObjectName(QStringLiteral("previewPageNumber"));
    m_pageNumber->setMargin(4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_pages);

    connect(m_pages, &CPreviewPages::previewChanged, this, &CPrintPreviewDialog::UpdateActions);
    UpdateActions();
    m_pages->setFocus();
}

void CPrintPreviewDialog::setVisible(bool visible)
{
    // Sized to the pages before the first show, so that the window opens
    // showing a whole row and the whole tool bar where the screen allows
    // (the size a window takes by itself stops at two thirds of the screen).
    if (visible && !m_sized) {
        m_sized = true;
        if (const QScreen *screen = this->screen())
            resize(sizeHint().boundedTo(screen->availableGeometry().size() * 9 / 10));
    }
    QDialog::setVisible(visible);
}

void CPrintPreviewDialog::Run(Command command)
{
    switch (command) {
    case Print:
        if (m_print && m_print()) {
            accept();
            return;
        }
        break;
    case ZoomIn: m_pages->ZoomIn(); break;
    case ZoomOut: m_pages->ZoomOut(); break;
    case FitWidth: m_pages->FitToWidth(); break;
    case FitPage: m_pages->FitToPage(); break;
    case SinglePage:
    case TwoPages:
        m_pages->SetPageLayout(command == TwoPages ? CPreviewPages::Layout::TwoPages : CPreviewPages::Layout::OnePage);
        // A new layout is shown whole, whatever the zoom was.
        if (m_pages->ZoomMode() == CPreviewPages::Zoom::Custom)
            m_pages->FitToPage();
        break;
    case FirstPage: m_pages->SetCurrentPage(1); break;
    case PreviousPage: m_pages->SetCurrentPage(m_pages->CurrentPage() - 1); break;
    case NextPage: m_pages->SetCurrentPage(m_pages->CurrentPage() + 1); break;
    case LastPage: m_pages->SetCurrentPage(m_pages->PageCount()); break;
    case Close: reject(); return;
    case CommandCount: break;
    }
    UpdateActions();
}

void CPrintPreviewDialog::UpdateActions()
{
    const int page = m_pages->CurrentPage();
    const int count = m_pages->PageCount();
    Action(FirstPage)->setEnabled(page > 1);
    Action(PreviousPage)->setEnabled(page > 1);
    Action(NextPage)->setEnabled(page < count);
    Action(LastPage)->setEnabled(page < count);
    Action(FitWidth)->setChecked(m_pages->ZoomMode() == CPreviewPages::Zoom::FitWidth);
    Action(FitPage)->setChecked(m_pages->ZoomMode() == CPreviewPages::Zoom::FitPage);
    Action(SinglePage)->setChecked(m_pages->PageLayout() == CPreviewPages::Layout::OnePage);
    Action(TwoPages)->setChecked(m_pages->PageLayout() == CPreviewPages::Layout::TwoPages);
    m_pageNumber->setText(count > 0 ? tr("Page %1 of %2").arg(page).arg(count) : QString());
}
