// The command-line options that print, register the file type or wait for
// the desktop's request to open a file. Each part of the program that
// handles one replaces its case here.
#include "app/lodexapp.h"

#include <cstdio>

int CLodexApp::RunShellOption(const CCommandLineInfo &info)
{
    const QByteArray option = CCommandLineInfo::OptionName(info.command).toLocal8Bit();
    std::fprintf(stderr, "lodex: the option /%s is not available in this version; start lodex with a .ldx file "
                         "or with no argument.\n",
                 option.constData());
    return kExitUnavailable;
}
