#pragma once

#include <QString>
#include <QStringList>

// What the command line asks the program to do. An argument beginning
// with '-', or with '/' and naming a known option, is an option (any letter
// case); the others are file names, and after "pt" also the printer,
// driver and port. So "/home/ann/list.ldx" is a file, "/P" an option.
struct CCommandLineInfo {
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister };

    ShellCommand command = FileNew;
    QString fileName;
    QString printerName;
    QString driverName;
    QString portName;

    // An unknown option is passed over.
    static CCommandLineInfo Parse(const QStringList &arguments);

    // The option as written ("/pt"), and the first of the arguments it
    // needs that the line lacks ("FILE.ldx", "PRINTER", "DRIVER", "PORT"),
    // or empty when it has them all.
    QString option;
    QString MissingArgument() const;

    // "--help" (or "-h") or "--version" anywhere on the line, exactly so
    // written: the first of them wins over everything else, since answering
    // them needs no display, window or running instance.
    enum InfoRequest { NoInfoRequest, HelpRequest, VersionRequest };
    static InfoRequest FindInfoRequest(const QStringList &arguments);
};
