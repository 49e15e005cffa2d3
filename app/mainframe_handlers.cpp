// The one place where the main window's commands get their handlers. A
// command stays disabled until it gets one here.
#include "app/aboutbox.h"
#include "app/commandactions.h"
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/mainframe.h"
#include "app/weblinks.h"
#include "data/lodexdoc.h"
#include "view/copydragout.h"
#include "view/listprinting.h"
#include "view/listsearch.h"

#include <QGuiApplication>

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
    // Opening, saving, sorting, exporting or printing a million records takes
    // a moment: the document says when that work runs, after any file or
    // print dialog and before any message.
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
    c.SetHandler(CommandId::EditCopy, [this] { m_copyDrag->OnEditCopy(); });
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

    // Without a handler: EditUndo, EditCut, EditPaste, NextPane, PrevPane.
}
