#include "app/mainframe.h"

#include "app/afterfirstpaint.h"
#include "app/commandactions.h"
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/mainstatusbar.h"
#include "app/recentfilesmenu.h"
#include "app/sortmenu.h"
#include "app/toolbarcaption.h"
#include "app/undohistory.h"
#include "base/settingsstore.h"
#include "data/lodexdoc.h"
#include "exchange/importsource.h"
#include "resources/strings.h"
#include "view/copydragout.h"
#include "view/listprinting.h"
#include "view/listsearch.h"
#include "view/lodexview.h"
#include "view/screenareas.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>

#include <utility>

namespace {

constexpr const char *kWindowPosKey = "WindowPos";

QStringList LocalFiles(const QMimeData *mime)
{
    QStringList paths;
    if (mime)
        for (const QUrl &url : mime->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}

} // namespace

CMainFrame::CMainFrame(CLodexDoc &doc, CUserPrompts &prompts, CRecentFileList &recent, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_prompts(prompts)
    , m_recent(recent)
    , m_toolBar(new QToolBar(LoadQString(Str::ToolbarCaption), this))
    , m_statusBar(new CMainStatusBar(this))
    // View > Toolbar and View > Status Bar are the bars' own toggle actions.
    , m_actions(new CCommandActions(this, {{CommandId::ViewToolbar, m_toolBar->toggleViewAction()},
                                           {CommandId::ViewStatusBar, m_statusBar->ToggleViewAction()}}))
    , m_view(new CLodexView(this))
    , m_documentFiles(new CDocumentFiles(doc, prompts, recent, this))
    , m_find(new CListSearch(*m_view, prompts, this))
    , m_copyDrag(new CCopyDragOut(*m_view, CDragFolders::DefaultBase(), this))
    , m_mail(new CMailSender(this))
    , m_print(std::make_unique<CListPrinting>(doc, *m_view, prompts, this))
    , m_undo(new CUndoHistory(doc, this))
{
    setObjectName(QStringLiteral("mainFrame"));

    setCentralWidget(m_view);
    m_view->AttachDocument(&m_doc);
    m_view->setFocus();

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    QList<QAction *> contextActions;
    for (CommandId id : ContextMenuLayout())
        contextActions << Action(id);
    m_view->SetContextMenuActions(contextActions);

    m_actions->SetListState([this] { return m_view->GetSelectedCount() > 0; },
                             [this] { return m_view->GetRowCount() > 0; });
    connect(m_view, &CLodexView::commandStateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_view, &CLodexView::editRequested, this, [this] { m_actions->Trigger(CommandId::ReflectorEdit); });
    connect(&m_doc, &CLodexDoc::titleChanged, this, &CMainFrame::UpdateCaption);
    connect(m_documentFiles, &CDocumentFiles::recentFilesChanged, m_recentMenu, &CRecentFilesMenu::Rebuild);
    connect(m_recentMenu, &CRecentFilesMenu::openRequested, m_documentFiles, &CDocumentFiles::OnOpenRecentFile);

    ApplyStoredPlacement();
    ConnectHandlers();
    UpdateCommandStates();
    UpdateCaption();
    setAcceptDrops(true);

    // Send stays out of the menu until the desktop says it can mail; it is
    // asked once the window shows (ShowInitially).
    Action(CommandId::FileSendMail)->setVisible(false);
    connect(m_mail, &CMailSender::availabilityKnown, this, [this](bool available) {
        Action(CommandId::FileSendMail)->setVisible(available);
        UpdateCommandStates();
    });
}

CMainFrame::~CMainFrame()
{
    // The view goes first, while everything it reports to still exists.
    disconnect(m_view, nullptr, this, nullptr);
    delete m_view;
}

QAction *CMainFrame::Action(CommandId id) const
{
    return m_actions->Action(id);
}

void CMainFrame::UpdateCommandStates()
{
    m_actions->UpdateStates();
}

void CMainFrame::CreateMenus()
{
    QList<QMenu *> open;
    for (const MenuEntry &entry : MainMenuLayout()) {
        switch (entry.kind) {
        case MenuEntry::Popup: {
            const QString title = CommandText(entry.title);
            QMenu *menu = open.isEmpty() ? menuBar()->addMenu(title) : open.last()->addMenu(title);
            // Named in English, whatever the language shown.
            if (open.isEmpty())
                menu->setObjectName(QStringLiteral("menu") + QString::fromUtf8(entry.title).remove(QLatin1Char('&')));
            open << menu;
            break;
        }
        case MenuEntry::EndPopup:
            open.removeLast();
            break;
        case MenuEntry::Command:
            open.last()->addAction(Action(entry.id));
            break;
        case MenuEntry::Separator:
            open.last()->addSeparator();
            break;
        case MenuEntry::SortBy:
            new CSortMenu(open.last()->addMenu(CommandText(entry.title)), *m_view, this);
            break;
        case MenuEntry::RecentFiles: {
            QAction *anchor = open.last()->addSeparator();
            m_recentMenu = new CRecentFilesMenu(open.last(), anchor, m_recent, this);
            open.last()->removeAction(anchor);
            break;
        }
        }
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setAccessibleName(m_toolBar->windowTitle());
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    new CToolBarCaption(m_toolBar);
    m_toolBar->setIconSize(QSize(16, 16));
    for (CommandId id : ToolBarLayout()) {
        if (id == CommandId(0))
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(Action(id));
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // Checked before the window first shows, as the status bar's is.
    m_toolBar->toggleViewAction()->setChecked(!m_toolBar->isHidden());
}

void CMainFrame::CreateStatusBar()
{
    setStatusBar(m_statusBar);
}

void CMainFrame::UpdateCaption()
{
    setWindowTitle(m_doc.GetTitle() + QStringLiteral(" - ") + DocumentStringField(Str::WindowTitle));
}

void CMainFrame::ApplyStoredPlacement()
{
    CSettingsStore settings;
    m_placement = WindowPlacement::Parse(settings.ReadText(kWindowPosKey));
    // A hand-edited or stale placement (a screen since removed) must not
    // give a window larger than the screens or out of reach.
    const QRect normal = m_placement ? FitOnScreens(m_placement->NormalRect(), AvailableScreenAreas()) : QRect();
    if (normal.isValid()) {
        m_placement->SetNormalRect(normal);
        setGeometry(normal);
        return;
    }
    m_placement.reset();
    ApplyDefaultGeometry();
}

void CMainFrame::ApplyDefaultGeometry()
{
    // First start, or nothing usable stored: wide enough for every column
    // where the screen allows, in the middle of the screen.
    const QScreen *screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int columns = m_view->horizontalHeader()->length() + 2 * m_view->frameWidth()
                        + m_view->verticalScrollBar()->sizeHint().width();
    const QSize size(std::min(columns, available.width() * 9 / 10), available.height() * 2 / 3);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void CMainFrame::ShowInitially()
{
    // The columns may have grown to fit the first document's rows.
    if (!m_placement)
        ApplyDefaultGeometry();
    // The question runs a shell script, which would compete with the first
    // paint for the processor.
    RunAfterFirstPaint(m_view->viewport(), [mail = m_mail] { mail->ProbeAvailability(); });
    if (m_placement && m_placement->OpensMaximized())
        showMaximized();
    else
        show();
}

WindowPlacement CMainFrame::CurrentPlacement() const
{
    WindowPlacement placement = m_placement.value_or(WindowPlacement());
    const Qt::WindowStates state = windowState();
    placement.flags = (state & Qt::WindowMaximized) ? WindowPlacement::kRestoreToMaximized : 0;
    placement.showCmd = (state & Qt::WindowMinimized)   ? WindowPlacement::ShowMinimized
                        : (state & Qt::WindowMaximized) ? WindowPlacement::ShowMaximized
                                                        : WindowPlacement::ShowNormal;
    const QRect normal = normalGeometry();
    placement.SetNormalRect(normal.isValid() ? normal : geometry());
    return placement;
}

void CMainFrame::SavePlacement()
{
    CSettingsStore settings;
    settings.WriteText(kWindowPosKey, CurrentPlacement().Format());
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // The placement is kept even when the save prompt is cancelled.
    if (isVisible())
        SavePlacement();
    if (!m_documentFiles->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    // Rows dragged from our own list carry .cu files, not lists to open.
    if (event->source())
        return;
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended: the save prompt must not hold the
    // program the files came from.
    QTimer::singleShot(0, this, [this, paths] { OpenDroppedFiles(paths); });
}

void CMainFrame::OpenDroppedFiles(const QStringList &paths)
{
    activateWindow();
    raise();
    // In the order dropped; the files to import between two others at once.
    QStringList imports;
    for (const QString &path : paths) {
        if (ImportSource::KindOf(path) != ImportSource::Kind::None) {
            imports << path;
            continue;
        }
        if (!imports.isEmpty())
            m_doc.ImportFiles(std::exchange(imports, {}));
        m_documentFiles->OpenDocumentFile(path);
    }
    if (!imports.isEmpty())
        m_doc.ImportFiles(imports);
}
