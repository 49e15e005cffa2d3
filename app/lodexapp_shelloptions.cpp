// The command-line options that print or register the file type, then end.
// ("/dde" opens a window and is handled with the plain starts.)
#include "app/commandlineprint.h"
#include "app/lodexapp.h"

#include <cstdio>

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
