#pragma once

#include "app/commandtable.h"
#include "app/core/windowplacement.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class CCommandActions;
class CCopyDragOut;
class CDocumentFiles;
class CListPrinting;
class CListSearch;
class CLodexDoc;
class CLodexView;
class CMailSender;
class CMainStatusBar;
class CRecentFileList;
class CRecentFilesMenu;
class CUndoHistory;
class CUserPrompts;
class QToolBar;

// The main window: menus, tool bar, status bar and the reflector list,
// with the window placement kept in "WindowPos".
//
// Every command is an action of CCommandActions, disabled until it has a
// handler; ConnectHandlers() (mainframe_handlers.cpp) is the one place
// where commands get their handlers. View > Toolbar and View > Status Bar
// need none: their actions are the bars' own toggle view actions.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    CMainFrame(CLodexDoc &doc, CUserPrompts &prompts, CRecentFileList &recent, QWidget *parent = nullptr);
    ~CMainFrame() override;

    QAction *Action(CommandId id) const;
    CLodexView *View() const { return m_view; }
    CDocumentFiles &DocumentFiles() const { return *m_documentFiles; }
    CUndoHistory &UndoHistory() const { return *m_undo; }

    // Re-evaluates which commands are enabled.
    void UpdateCommandStates();

    // Shows the window the first time, maximized when it was closed so.
    void ShowInitially();
    WindowPlacement CurrentPlacement() const;
    void SavePlacement();

    // Opens the files one after another through the normal open path;
    // files of the kinds Import reads are imported instead.
    void OpenDroppedFiles(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ApplyStoredPlacement();
    void ApplyDefaultGeometry();
    void ConnectHandlers();
    void ConnectUndoRedo();
    // The Undo and Redo items name the step they take back or make again.
    void NameUndoSteps();
    void UpdateCaption();

    CLodexDoc &m_doc;
    CUserPrompts &m_prompts;
    CRecentFileList &m_recent;
    QToolBar *m_toolBar;
    CMainStatusBar *m_statusBar;
    CCommandActions *m_actions;
    CLodexView *m_view;
    CDocumentFiles *m_documentFiles;
    CListSearch *m_find;
    CCopyDragOut *m_copyDrag;
    CMailSender *m_mail;
    std::unique_ptr<CListPrinting> m_print;
    CRecentFilesMenu *m_recentMenu = nullptr;
    CUndoHistory *m_undo;
    QString m_undoText; // the items' texts without a step
    QString m_redoText;
    bool m_clipboardHasText = false;
    std::optional<WindowPlacement> m_placement;
};
