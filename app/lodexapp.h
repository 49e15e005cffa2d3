#pragma once

#include "app/core/commandlineinfo.h"
#include "app/core/recentfilelist.h"
#include "data/countrytable.h"

#include <QApplication>

#include <memory>

class CLodexDoc;
class CMainFrame;
class CSingleInstance;
struct OpenRequest;
class CUserPrompts;
class CWidgetPrompts;

// The application: settings store, recent files, the country table (for
// the whole run) and the one document with its main window.
class CLodexApp : public QApplication
{
    Q_OBJECT

public:
    // InitInstance() answers this when the event loop is to run.
    static constexpr int kRunEventLoop = -1;
    static constexpr int kExitSuccess = 0;
    static constexpr int kExitFailure = 1;

    CLodexApp(int &argc, char **argv);
    ~CLodexApp() override;

    CCountryTable &CountryTable() { return m_countryTable; }
    CRecentFileList &RecentFiles() { return m_recentFiles; }
    CLodexDoc *Document() const { return m_doc.get(); }
    CMainFrame *MainFrame() const { return m_frame.get(); }

    // Every message box and file dialog goes here. Tests put scripted
    // answers in place of the real dialogs (null: the real ones again).
    CUserPrompts &Prompts() const;
    void SetPrompts(CUserPrompts *prompts);

    // Start-up: settings, recent files, country table, then the command
    // line, which creates the first document and shows the main window.
    // Answers kRunEventLoop, or the exit status when the program ends here.
    int InitInstance(const QStringList &arguments);
    // The end: writes the recent files, releases the window and document.
    void ExitInstance();
    // InitInstance, the event loop, ExitInstance; answers the exit status.
    int Run();

private:
    int ProcessShellCommand(const CCommandLineInfo &info);
    // Desktop integration (lodexapp_desktop.cpp): the .ldx type registered
    // for the user, and the open requests of later starts.
    int RunRegistrationOption(bool unregister);
    void RegisterForUserWhenUnhandled();
    // Takes the requests of later starts, or with `request` first tries to
    // hand it to the instance already running; true when that took it.
    bool StartSingleInstance(const OpenRequest *request);
    void OnOpenRequested(const QString &path, const QByteArray &activationToken);
    // The options handled by other parts of the program (print, register,
    // DDE); lodexapp_shelloptions.cpp.
    int RunShellOption(const CCommandLineInfo &info);
    void CreateMainFrame();
    void OfferInterruptedSaves();

    CCountryTable m_countryTable;
    CRecentFileList m_recentFiles;
    QStringList m_arguments;
    std::unique_ptr<CWidgetPrompts> m_widgetPrompts;
    CUserPrompts *m_prompts = nullptr;
    std::unique_ptr<CLodexDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CSingleInstance> m_instance;
};
