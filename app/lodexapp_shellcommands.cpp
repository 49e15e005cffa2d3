// The command-line options that print, register the file type or wait for
// the desktop's request to open a file. Each part of the program that
// handles one replaces its case here.
#include "app/commandlineprint.h"
#include "app/lodexapp.h"

#include <cstdio>

int CLodexApp::RunShellOption(const CCommandLineInfo &info)
{
    if (info.command == CCommandLineInfo::FilePrint || info.command == CCommandLineInfo::FilePrintTo) {
        QString error;
        if (PrintFromCommandLine(info, &error))
            return 0;
        std::fprintf(stderr, "lodex: %s\n", error.toLocal8Bit().constData());
        return kExitFailure;
    }
    const QByteArray option = CCommandLineInfo::OptionName(info.command).toLocal8Bit();
    std::fprintf(stderr, "lodex: the option /%s is not available in this version; start lodex with a .ldx file "
                         "or with no argument.\n",
                 option.constData());
    return kExitUnavailable;
}
