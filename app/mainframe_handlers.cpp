// The one place where the main window's commands get their handlers. A
// command stays disabled until it gets one here.
#include "app/aboutbox.h"
#include "app/commandactions.h"
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/mainframe.h"
#include "app/undohistory.h"
#include "app/weblinks.h"
#include "data/lodexdoc.h"
#include "resources/strings.h"
#include "view/copydragout.h"
#include "view/listprinting.h"
#include "view/listsearch.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// "&Undo" with the step "Delete": "&Undo Delete".
QString WithStep(const QString &itemText, const QString &step)
{
    return step.isEmpty() ? itemText : itemText + u' ' + step;
}

} // namespace

void CMainFrame::ConnectHandlers()
{
    CCommandActions &c = *m_actions;
    CDocumentFiles &files = *m_documentFiles;

    // File
    c.SetHandler(CommandId::FileNew, [&files] { files.OnFileNew(); });
    c.SetHandler(CommandId::FileOpen, [&files] { files.OnFileOpen(); });
    c.SetHandler(CommandId::FileSave, [&files] { files.OnFileSave(); });
    c.SetHandler(CommandId::FileSaveAs, [&files] { files.OnFileSaveAs(); });
    c.SetHandler(
        CommandId::FileSendMail, [this] { m_mail->Send(m_doc, m_prompts); }, [this] { return m_mail->IsAvailable(); });
    c.SetHandler(CommandId::FileImport, [this] { m_doc.OnFileImport(); });
    c.SetHandler(CommandId::FileExport, [this] { m_doc.OnFileExport(); });
    // Opening, saving, importing or exporting a million records takes a
    // moment: the document says when that work runs, after any file dialog
    // and before any message.
    connect(&m_doc, &CLodexDoc::busyChanged, this, [](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    c.SetHandler(CommandId::FilePrint, [this] { m_print->OnFilePrint(); });
    c.SetHandler(CommandId::FilePrintDirect, [this] { m_print->OnFilePrintDirect(); });
    c.SetHandler(CommandId::FilePrintPreview, [this] { m_print->OnFilePrintPreview(); });
    c.SetHandler(CommandId::FilePrintSetup, [this] { m_print->OnFilePrintSetup(); });
    c.SetHandler(CommandId::AppExit, [this] { close(); });

    // Edit
    ConnectUndoRedo();
    c.SetHandler(CommandId::EditCut, [this] {
        m_copyDrag->OnEditCut();
        m_doc.RemoveSelectedReflectors(Str::StepCut);
    });
    c.SetHandler(CommandId::EditCopy, [this] { m_copyDrag->OnEditCopy(); });
    // Asking the clipboard can mean a round trip to another program: its
    // state is noted when it changes, not on every update of the commands.
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto noteClipboard = [this, clipboard] {
        const QMimeData *data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText();
        UpdateCommandStates();
    };
    connect(clipboard, &QClipboard::dataChanged, this, noteClipboard);
    noteClipboard();
    c.SetHandler(
        CommandId::EditPaste, [this, clipboard] { m_doc.OnEditPaste(clipboard->text().toUtf8()); },
        [this] { return m_clipboardHasText; });
    c.SetHandler(CommandId::EditFind, [this] { m_find->OnEditFind(); });
    c.SetHandler(CommandId::EditRepeat, [this] { m_find->OnRepeatFind(); });

    // View: Toolbar and Status Bar are the bars' own toggle view actions,
    // which need no handler.

    // Reflectors
    c.SetHandler(CommandId::ReflectorAdd, [this] { m_doc.OnReflectorAdd(); });
    c.SetHandler(CommandId::ReflectorEdit, [this] { m_doc.OnReflectorEdit(); });
    c.SetHandler(CommandId::ReflectorDelete, [this] { m_doc.OnReflectorDelete(); });

    // Help
    c.SetHandler(CommandId::WebCuSeeMe, [] { WebLinks::Open(WebLinks::Site::ClientMaker); });
    c.SetHandler(CommandId::WebHomePage, [] { WebLinks::Open(WebLinks::Site::AuthorHome); });
    c.SetHandler(CommandId::AppAbout, [this] { CAboutBox::Run(this); });

    // Without a handler: NextPane, PrevPane.
}

void CMainFrame::ConnectUndoRedo()
{
    CCommandActions &c = *m_actions;
    QUndoStack &stack = m_undo->Stack();
    m_undoText = Action(CommandId::EditUndo)->text();
    m_redoText = Action(CommandId::EditRedo)->text();
    c.SetHandler(CommandId::EditUndo, [&stack] { stack.undo(); }, [&stack] { return stack.canUndo(); });
    c.SetHandler(CommandId::EditRedo, [&stack] { stack.redo(); }, [&stack] { return stack.canRedo(); });
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        NameUndoSteps();
        UpdateCommandStates();
    });
}

void CMainFrame::NameUndoSteps()
{
    Action(CommandId::EditUndo)->setText(WithStep(m_undoText, m_undo->Stack().undoText()));
    Action(CommandId::EditRedo)->setText(WithStep(m_redoText, m_undo->Stack().redoText()));
}
