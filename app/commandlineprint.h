#pragma once

#include <QString>

struct CCommandLineInfo;

// "/p FILE" and "/pt FILE PRINTER DRIVER PORT": prints the file's list, in
// file order under its title, without a window or a dialog. Answers false
// with the reason in `error` when nothing or not all was printed.
bool PrintFromCommandLine(const CCommandLineInfo &info, QString *error);
