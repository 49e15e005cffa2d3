#pragma once

#include <QString>

// Where a print started from the command line goes: "/p FILE" prints on
// the default printer, "/pt FILE PRINTER DRIVER PORT" on the named printer.
// A port (or else a printer) that names a ".pdf" file prints into that
// file, which makes printing usable without a printer at all.
struct PrintTarget {
    enum Kind { DefaultPrinter, NamedPrinter, PdfFile };
    Kind kind = DefaultPrinter;
    QString name; // the printer's name, or the PDF file's path

    static PrintTarget Default() { return {}; }
    static PrintTarget ForPrintTo(const QString &printer, const QString &driver, const QString &port);
};
