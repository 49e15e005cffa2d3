#include "view/printjobs.h"

#include "base/safesave.h"
#include "data/userprompts.h"
#include "view/busycursor.h"
#include "view/previewpages.h"
#include "view/printpreviewdialog.h"
#include "view/reportprinter.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>

#include <functional>

namespace PrintJobs {

namespace {

// Any page number the user types is accepted; the job clamps it.
constexpr int kOpenPageRange = 0xFFFF;

// A long list takes a while to print: after a moment a progress box
// shows how far the job is and lets the user cancel it.
bool PrintBusy(QWidget *parent, CReportPrinter &report, QPagedPaintDevice &device, QString *error)
{
    QProgressDialog progress(QCoreApplication::translate("PrintJobs", "Printing..."),
                             QCoreApplication::translate("PrintJobs", "Cancel"), 0, 1, parent);
    progress.setObjectName(QStringLiteral("printProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    report.SetProgress([&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    bool ok;
    {
        CBusyCursor busy;
        ok = report.Print(device, error);
    }
    report.SetProgress({});
    return ok;
}

// Prints into a PDF file through the one path that replaces a user's file,
// on the pages and at the resolution of `settings`: a full disk or any other
// failed write is reported and leaves the previous file as it was.
bool PrintToPdf(const QString &path, const QPrinter &settings,
                const std::function<bool(QPagedPaintDevice &, QString *)> &print, QString *error)
{
    QString printError;
    bool started = false, printed = false;
    auto write = [&](QIODevice &file) {
        started = true;
        QPdfWriter writer(&file);
        writer.setResolution(settings.resolution());
        writer.setPageLayout(settings.pageLayout());
        writer.setPageRanges(settings.pageRanges());
        writer.setCreator(QCoreApplication::applicationName());
        writer.setTitle(settings.docName());
        printed = print(writer, &printError);
        return printed;
    };
    QString saveError;
    if (SaveFileSafely(path, write, &saveError))
        return true;
    if (!started)
        *error = QCoreApplication::translate("PrintJobs", "Cannot create the file '%1': %2").arg(path, saveError);
    else if (printed)
        *error = QCoreApplication::translate("PrintJobs", "Cannot write the file '%1': %2").arg(path, saveError);
    else
        *error = printError; // empty when the job was cancelled
    return false;
}

bool PrintToPdf(CReportPrinter &report, const QString &path, QString *error)
{
    // The page and resolution a PDF printer would have.
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    defaults.setDocName(report.Title());
    return PrintToPdf(path, defaults,
                      [&report](QPagedPaintDevice &device, QString *error) { return report.Print(device, error); },
                      error);
}

bool PrintOnPrinter(CReportPrinter &report, const QPrinterInfo &info, QString *error)
{
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid()) {
        *error = QCoreApplication::translate("PrintJobs", "The printer '%1' cannot be used.").arg(info.printerName());
        return false;
    }
    printer.setDocName(report.Title());
    return report.Print(printer, error);
}

// Qt's own proposal for "Print to file" is the job's name in the current
// folder; the document's own folder is where the user looks for it. Qt's
// dialog on this platform calls that field "filename".
void ProposePdfFile(QPrintDialog &dialog, const QPrinter &printer, const QString &pdfFile)
{
    if (pdfFile.isEmpty() || !printer.outputFileName().isEmpty())
        return;
    if (auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("filename")))
        field->setText(QDir::toNativeSeparators(pdfFile));
}

} // namespace

bool PrintWithDialog(const Dialogs &dialogs, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts)
{
    QPrintDialog dialog(&printer, dialogs.parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, kOpenPageRange);
    ProposePdfFile(dialog, printer, dialogs.pdfFile);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrintWithoutDialog(dialogs.parent, printer, report, prompts);
    return true;
}

void PrintWithoutDialog(QWidget *parent, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts)
{
    auto print = [&](QPagedPaintDevice &device, QString *error) { return PrintBusy(parent, report, device, error); };
    QString error;
    // "Print to file" would have the printer write over the file directly.
    const bool printed = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                             ? PrintToPdf(printer.outputFileName(), printer, print, &error)
                             : print(printer, &error);
    if (!printed && !error.isEmpty())
        prompts.MessageBox(error, CUserPrompts::Ok, CUserPrompts::Exclamation);
}

void Preview(const Dialogs &dialogs, QPrinter &printer, CReportPrinter &report, CUserPrompts &prompts,
             int &previewPages)
{
    CPrintPreviewDialog dialog(dialogs.parent);
    CPreviewPages &pages = dialog.Pages();
    pages.SetPageLayout(previewPages == 2 ? CPreviewPages::Layout::TwoPages : CPreviewPages::Layout::OnePage);
    // The pages are drawn as they come into sight, on the printer's metrics.
    const int pageCount = report.BeginPrinting(printer);
    pages.SetPages(pageCount, printer.paperRect(QPrinter::DevicePixel).size(), printer.pageRect(QPrinter::DevicePixel),
                   [&report](QPainter &painter, int page) { report.PrintPage(painter, page); });
    dialog.SetPrintHandler([&] {
        const bool printed = PrintWithDialog({&dialog, dialogs.pdfFile}, printer, report, prompts);
        report.BeginPrinting(printer); // the job ended the preview's
        return printed;
    });
    dialog.exec();
    report.EndPrinting();
    previewPages = pages.PageLayout() == CPreviewPages::Layout::TwoPages ? 2 : 1;
}

bool PrintSetup(const Dialogs &dialogs, QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogs.parent);
    dialog.setWindowTitle(QCoreApplication::translate("PrintJobs", "Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog chooses; it prints nothing.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QCoreApplication::translate("PrintJobs", "OK"));
    ProposePdfFile(dialog, printer, dialogs.pdfFile);
    return dialog.exec() == QDialog::Accepted;
}

bool PrintDirect(CReportPrinter &report, const PrintTarget &target, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    switch (target.kind) {
    case PrintTarget::PdfFile:
        return PrintToPdf(report, target.name, error);
    case PrintTarget::DefaultPrinter: {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            *error = QCoreApplication::translate("PrintJobs", "There is no default printer.");
            return false;
        }
        return PrintOnPrinter(report, info, error);
    }
    case PrintTarget::NamedPrinter: {
        const QPrinterInfo info = QPrinterInfo::printerInfo(target.name);
        if (target.name.isEmpty() || info.isNull()) {
            *error = QCoreApplication::translate("PrintJobs", "There is no printer named '%1'.").arg(target.name);
            return false;
        }
        return PrintOnPrinter(report, info, error);
    }
    }
    return false;
}

} // namespace PrintJobs
