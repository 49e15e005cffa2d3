#include "app/lodexapp.h"

#include "app/commandlineprint.h"
#include "app/core/mailsender.h"
#include "app/documentfiles.h"
#include "app/mainframe.h"
#include "app/singleinstance.h"
#include "app/translations.h"
#include "app/widgetprompts.h"
#include "base/nativepath.h"
#include "base/settingsstore.h"
#include "data/lodexdoc.h"
#include "registration/desktopidentity.h"
#include "resources/bitmaps.h"
#include "resources/strings.h"

#include <QDesktopServices>
#include <QIcon>
#include <QLocale>
#include <QUrl>

#include <chrono>
#include <cstdio>

CLodexApp::CLodexApp(int &argc, char **argv)
    : QApplication(argc, argv), m_widgetPrompts(std::make_unique<CWidgetPrompts>(m_countryTable))
{
    // What is left once the toolkit has taken its own options, with file
    // names exact (arguments() would turn a name that is not UTF-8 into
    // another one).
    m_arguments = ArgumentsFromNative(argc, argv);
    setOrganizationName(QString::fromLatin1(LoadString(Str::CompanyKey)));
    // No display name: Qt would append it to every dialog's caption, which
    // is the dialog's own ("Add a reflector"), or already "Lodex".
    setApplicationName(QString::fromLatin1(LoadString(Str::AppName)));
    Translations::Install(QLocale::system());
    // Wayland matches windows to the desktop entry by this name.
    setDesktopFileName(QLatin1String(Desktop::kAppId));
    setWindowIcon(ProgramIcon());
    // Outside a desktop session no icon theme is named; the common one
    // fills in so that standard images (file dialogs ...) are not blank.
    if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    // Nor is one named when the platform answers "hicolor", the base theme
    // that holds programs' own icons: searched first, its folder in the
    // user's home (where Lodex's registration puts its icon) has no index,
    // and every image tried cost thousands of file look-ups at start-up.
    if (QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QIcon::fallbackThemeName());
    m_prompts = m_widgetPrompts.get();
}

CLodexApp::~CLodexApp()
{
    ExitInstance();
    m_countryTable.Release();
}

CUserPrompts &CLodexApp::Prompts() const
{
    return *m_prompts;
}

void CLodexApp::SetPrompts(CUserPrompts *prompts)
{
    m_prompts = prompts ? prompts : m_widgetPrompts.get();
    if (m_doc)
        m_doc->m_pPrompts = m_prompts;
}

int CLodexApp::InitInstance(const QStringList &arguments)
{
    {
        CSettingsStore settings;
        m_recentFiles.Load(settings);
    }
    // Copies sent by mail in earlier runs, once no mail client can still be reading them.
    CMailSender::RemoveLeftovers(std::chrono::hours(24));
    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    if (info.command != CCommandLineInfo::AppRegister && info.command != CCommandLineInfo::AppUnregister)
        RegisterForUserWhenUnhandled();
    // Before the command line: a document opened from it may need the
    // country list at once. Without it the country lists are empty.
    m_countryTable.Load();
    return ProcessShellCommand(info);
}

void CLodexApp::OfferInterruptedSaves()
{
    m_frame->DocumentFiles().OfferInterruptedSaves([](const QString &copy) {
        // The copy's folder, where the desktop's file manager shows it.
        const QString path = copy.left(copy.lastIndexOf(QLatin1Char('/')));
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    });
}

void CLodexApp::CreateMainFrame()
{
    m_doc = std::make_unique<CLodexDoc>();
    m_doc->m_pPrompts = m_prompts;
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_prompts, m_recentFiles);
    m_widgetPrompts->SetParent(m_frame.get());
}

int CLodexApp::ProcessShellCommand(const CCommandLineInfo &info)
{
    switch (info.command) {
    case CCommandLineInfo::FileDDE: {
        // The desktop's open request: to the running Lodex if there is
        // one, else this start opens the file (or a new document) itself.
        const OpenRequest request{info.fileName, qgetenv("XDG_ACTIVATION_TOKEN")};
        if (StartSingleInstance(&request))
            return kExitSuccess;
        CCommandLineInfo plain = info;
        plain.command = info.fileName.isEmpty() ? CCommandLineInfo::FileNew : CCommandLineInfo::FileOpen;
        return ProcessShellCommand(plain);
    }
    case CCommandLineInfo::FileNew:
        StartSingleInstance(nullptr);
        CreateMainFrame();
        OfferInterruptedSaves();
        m_frame->DocumentFiles().OnFileNew();
        break;
    case CCommandLineInfo::FileOpen:
        StartSingleInstance(nullptr);
        CreateMainFrame();
        // Before the file is read: it may be the one whose save was cut short.
        OfferInterruptedSaves();
        // The failure has been reported; the window never shows.
        if (m_frame->DocumentFiles().OpenDocumentFile(info.fileName) != OpenResult::Opened) {
            m_frame.reset();
            m_doc.reset();
            return kExitFailure;
        }
        break;
    default:
        return RunShellOption(info);
    }
    m_frame->ShowInitially();
    return kRunEventLoop;
}

void CLodexApp::ExitInstance()
{
    if (m_frame || m_doc) {
        CSettingsStore settings;
        m_recentFiles.Save(settings);
    }
    m_widgetPrompts->SetParent(nullptr);
    m_frame.reset();
    m_doc.reset();
}

int CLodexApp::Run()
{
    const int status = InitInstance(m_arguments);
    if (status != kRunEventLoop)
        return status;
    const int result = exec();
    ExitInstance();
    return result;
}

int CLodexApp::RunShellOption(const CCommandLineInfo &info)
{
    switch (info.command) {
    case CCommandLineInfo::AppRegister:
        return RunRegistrationOption(false);
    case CCommandLineInfo::AppUnregister:
        return RunRegistrationOption(true);
    default:
        break; // the two print options
    }
    QString error;
    if (PrintFromCommandLine(info, &error))
        return kExitSuccess;
    std::fprintf(stderr, "lodex: %s\n", error.toLocal8Bit().constData());
    return kExitFailure;
}
