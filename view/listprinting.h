#pragma once

#include "view/printjobs.h"

#include <QString>

#include <functional>
#include <memory>

class CDocView;
class CLodexDoc;
class CReportPrinter;
class CUserPrompts;
class QPrinter;
class QWidget;

// File > Print, Print Preview and Print Setup for the main window: the
// list's rows in their current order under the document's title. One
// printer lasts the whole run, so the set-up and the print dialog's choices
// carry over to the next job and to the preview. It is made at its first
// use: making one loads the print system, which start-up need not wait for.
// Jobs are named after the document, and "Print to file" proposes the
// document's name with ".pdf" in its folder.
//
// "PreviewPages" (one or two pages in the preview) is read when this is
// made, at start-up, and written when it ends, at exit, unless it is
// still 0. A stored value other than 1 or 2 counts as 0 and
// is removed at exit.
class CListPrinting
{
public:
    CListPrinting(CLodexDoc &doc, CDocView &view, CUserPrompts &prompts, QWidget *window);
    ~CListPrinting();

    void OnFilePrint();
    // Prints on the current printer without the print dialog.
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    static constexpr const char *kPreviewPagesKey = "PreviewPages";

private:
    // The printer of the run, as the set-up and the print dialog left it.
    QPrinter &Printer();
    // The file "Print to file" proposes for the document as it is now.
    QString ProposedPdfFile() const;
    CReportPrinter Report() const;
    // Names the next job after the document. A file proposed for an earlier
    // document gives way to this one's; a file the user chose stays.
    PrintJobs::Dialogs PrepareJob();
    // Runs a job on the report; running out of memory is reported, never fatal.
    void RunJob(const std::function<void(CReportPrinter &)> &job);

    CLodexDoc &m_doc;
    CDocView &m_view;
    CUserPrompts &m_prompts;
    QWidget *m_pWindow;
    std::unique_ptr<QPrinter> m_printer;
    int m_nPreviewPages = 0;
    QString m_proposedPdfFile;
};
