#pragma once

#include "view/core/printtarget.h"

#include <QString>

class CReportPrinter;
class CUserPrompts;
class QPrinter;
class QWidget;

// The printing commands around the report: the print dialog, the preview,
// the printer set-up and printing without a dialog. One QPrinter, kept by
// the caller for the whole run, carries the user's choices from one
// command to the next, as the preview shows the layout of the printer
// the next print goes to. Jobs and PDF files carry the printer's document
// name as their title.
namespace PrintJobs {

// The print dialogs put `pdfFile` in their "Print to file" field while the
// printer has no output file of its own.
struct Dialogs {
    QWidget *parent = nullptr;
    QString pdfFile;
};

// File > Print: the print dialog with an open page range, then the job,
// which prints the chosen pages that exist (at least the last one).
// A failure is reported through `prompts`. Answers false when the dialog
// was cancelled.
bool PrintWithDialog(const Dialogs &dialogs, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts);

// Direct printing: the same job on `printer` as it is set, without a dialog.
void PrintWithoutDialog(QWidget *parent, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts);

// File > Print Preview. `previewPages` is the remembered page mode: 2 shows
// two pages side by side, anything else one page; it is updated from the
// mode the user leaves the preview in. The preview's Print is File > Print,
// its failures reported through `prompts`.
void Preview(const Dialogs &dialogs, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts,
             int &previewPages);

// File > Print Setup: the print dialog's choice of printer and its options
// (paper, orientation, file), without printing; the next jobs and the
// preview use them. Answers false when the dialog was cancelled.
bool PrintSetup(const Dialogs &dialogs, QPrinter &printer);

// Printing without a dialog, for the command line. No default printer or
// an unknown printer name is an error, never a silent fallback. A PDF file
// is written through a temporary file, so a failed job leaves an existing
// file as it was.
bool PrintDirect(CReportPrinter &report, const PrintTarget &target, QString *error);

} // namespace PrintJobs
