// The program's side of the desktop integration: the .ldx type registered
// for the user ("/Register", "/Unregister" and the silent first-run
// registration) and the open requests that later starts hand over.
#include "app/lodexapp.h"

#include "app/mainframe.h"
#include "app/singleinstance.h"
#include "base/runtimefolder.h"
#include "data/userprompts.h"
#include "registration/registrationfiles.h"
#include "registration/shellregistration.h"
#include "resources/strings.h"

#include <QTimer>

namespace {
// How often a request waits for a modal dialog of this instance to close.
constexpr int kModalRetryMs = 250;
} // namespace

int CLodexApp::RunRegistrationOption(bool unregister)
{
    CShellRegistration registration(XdgLocations::FromEnvironment());
    QString error;
    const bool done = unregister ? registration.Unregister(&error) != CShellRegistration::Removal::Failed
                                 : registration.Register(UserRegistrationFiles(applicationFilePath()), &error);
    if (done)
        return kExitSuccess;
    Prompts().MessageBox(LoadQString(unregister ? Str::UnregisterFailed : Str::RegisterFailed).arg(error),
                         CUserPrompts::Ok, CUserPrompts::Stop);
    return kExitFailure;
}

void CLodexApp::RegisterForUserWhenUnhandled()
{
    // An installed Lodex is the system's business, and a type that already
    // has a handler is left as the user has it.
    const QString program = applicationFilePath();
    if (IsInstalledCopy(program))
        return;
    CShellRegistration registration(XdgLocations::FromEnvironment());
    if (registration.IsRegistered() || registration.TypeHasHandler())
        return;
    // Silent: without it Lodex runs as well, only the desktop does not know it.
    registration.Register(UserRegistrationFiles(program));
}

bool CLodexApp::StartSingleInstance(const OpenRequest *request)
{
    // Once this instance takes the requests, a later document of this same
    // run (the tests start several) is opened here, never handed to itself.
    if (m_instance)
        return false;
    auto instance = std::make_unique<CSingleInstance>(UserRuntimeFolder());
    switch (instance->Start(request)) {
    case CSingleInstance::Outcome::Forwarded:
        return true;
    case CSingleInstance::Outcome::Listening:
        connect(instance.get(), &CSingleInstance::openRequested, this, &CLodexApp::OnOpenRequested);
        m_instance = std::move(instance);
        break;
    case CSingleInstance::Outcome::Alone:
        break;
    }
    return false;
}

void CLodexApp::OnOpenRequested(const QString &path, const QByteArray &activationToken)
{
    if (!m_frame)
        return;
    // Wayland raises a window only with the token the desktop gave the
    // start that asked; Qt takes it from here when the window activates.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (m_frame->isMinimized())
        m_frame->showNormal();
    // A dialog of this instance is open: come to the front now, open the
    // file once the dialog is gone, as a second open would nest in it.
    if (activeModalWidget()) {
        m_frame->activateWindow();
        m_frame->raise();
        QTimer::singleShot(kModalRetryMs, this, [this, path] { OnOpenRequested(path, QByteArray()); });
        return;
    }
    m_frame->OpenDroppedFiles(path.isEmpty() ? QStringList() : QStringList(path));
}
