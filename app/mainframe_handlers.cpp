// The one place where the main window's commands get their handlers. A
// command stays disabled until it is connected here.
#include "app/aboutbox.h"
#include "app/commandactions.h"
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/mainframe.h"
#include "app/mainstatusbar.h"
#include "app/weblinks.h"
#include "data/lodexdoc.h"
#include "view/copydragout.h"
#include "view/listprinting.h"
#include "view/listsearch.h"

#include <QAction>
#include <QGuiApplication>
#include <QToolBar>

void CMainFrame::ConnectHandlers()
{
    CCommandActions &c = *m_actions;
    CDocumentFiles &files = *m_documentFiles;

    // File
    c.Connect(CommandId::FileNew, [&files] { files.OnFileNew(); });
    c.Connect(CommandId::FileOpen, [&files] { files.OnFileOpen(); });
    c.Connect(CommandId::FileSave, [&files] { files.OnFileSave(); });
    c.Connect(CommandId::FileSaveAs, [&files] { files.OnFileSaveAs(); });
    c.Connect(
        CommandId::FileSendMail, [this] { m_mail->Send(m_doc, m_prompts); }, [this] { return m_mail->IsAvailable(); });
    c.Connect(CommandId::FileImport, [this] { m_doc.OnFileImport(); });
    c.Connect(CommandId::FileExport, [this] { m_doc.OnFileExport(); });
    // An export of a million records takes a moment: the document says
    // when it writes, after the file dialog and before any message.
    connect(&m_doc, &CLodexDoc::busyChanged, this, [](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    c.Connect(CommandId::FilePrint, [this] { m_print->OnFilePrint(); });
    c.Connect(CommandId::FilePrintDirect, [this] { m_print->OnFilePrintDirect(); });
    c.Connect(CommandId::FilePrintPreview, [this] { m_print->OnFilePrintPreview(); });
    c.Connect(CommandId::FilePrintSetup, [this] { m_print->OnFilePrintSetup(); });
    c.Connect(CommandId::AppExit, [this] { close(); });

    // Edit
    c.Connect(CommandId::EditCopy, [this] { m_copyDrag->OnEditCopy(); });
    c.Connect(CommandId::EditFind, [this] { m_find->OnEditFind(); });
    c.Connect(CommandId::EditRepeat, [this] { m_find->OnRepeatFind(); });

    // View
    c.Connect(CommandId::ViewToolbar, [this] { m_toolBar->setVisible(Action(CommandId::ViewToolbar)->isChecked()); });
    c.Connect(CommandId::ViewStatusBar,
              [this] { m_statusBar->setVisible(Action(CommandId::ViewStatusBar)->isChecked()); });

    // Reflectors
    c.Connect(CommandId::ReflectorAdd, [this] { m_doc.OnReflectorAdd(); });
    c.Connect(CommandId::ReflectorEdit, [this] { m_doc.OnReflectorEdit(); });
    c.Connect(CommandId::ReflectorDelete, [this] { m_doc.OnReflectorDelete(); });

    // Help
    c.Connect(CommandId::WebCuSeeMe, [] { WebLinks::Open(WebLinks::Site::ClientMaker); });
    c.Connect(CommandId::WebHomePage, [] { WebLinks::Open(WebLinks::Site::AuthorHome); });
    c.Connect(CommandId::AppAbout, [this] { CAboutBox::Run(this); });

    // Never connected: EditUndo, EditCut, EditPaste, NextPane, PrevPane.
}
