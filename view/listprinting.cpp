#include "view/listprinting.h"

#include "base/outofmemory.h"
#include "base/settingsstore.h"
#include "data/lodexdoc.h"
#include "data/userprompts.h"
#include "view/printjobs.h"
#include "resources/strings.h"
#include "view/reportprinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

CListPrinting::CListPrinting(CLodexDoc &doc, CDocView &view, CUserPrompts &prompts, QWidget *window)
    : m_doc(doc), m_view(view), m_prompts(prompts), m_pWindow(window)
{
    CSettingsStore settings;
    settings.beginGroup(QLatin1String(CSettingsStore::kSettingsGroup));
    const int stored = settings.value(QLatin1String(kPreviewPagesKey), 0).toInt();
    m_nPreviewPages = stored == 1 || stored == 2 ? stored : 0;
}

CListPrinting::~CListPrinting()
{
    CSettingsStore settings;
    settings.beginGroup(QLatin1String(CSettingsStore::kSettingsGroup));
    if (m_nPreviewPages != 0)
        settings.setValue(QLatin1String(kPreviewPagesKey), m_nPreviewPages);
    else if (settings.contains(QLatin1String(kPreviewPagesKey)))
        settings.remove(QLatin1String(kPreviewPagesKey)); // a value that was not 1 or 2
}

QPrinter &CListPrinting::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

CReportPrinter CListPrinting::Report() const
{
    return CReportPrinter(m_doc.GetTitle(), ReportRows::FromView(m_view));
}

QString CListPrinting::ProposedPdfFile() const
{
    const QString path = m_doc.GetPathName();
    const QString folder = path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
    const QString name = path.isEmpty() ? m_doc.GetTitle() : QFileInfo(path).completeBaseName();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

PrintJobs::Dialogs CListPrinting::PrepareJob()
{
    QPrinter &printer = Printer();
    printer.setDocName(m_doc.GetTitle());
    const QString proposal = ProposedPdfFile();
    if (!m_proposedPdfFile.isEmpty() && printer.outputFileName() == m_proposedPdfFile)
        printer.setOutputFileName(proposal);
    m_proposedPdfFile = proposal;
    return {m_pWindow, proposal};
}

void CListPrinting::OnFilePrint()
{
    RunJob([this](CReportPrinter &report) { PrintJobs::PrintWithDialog(PrepareJob(), Printer(), report, m_prompts); });
}

void CListPrinting::OnFilePrintDirect()
{
    RunJob([this](CReportPrinter &report) {
        PrintJobs::PrintWithoutDialog(PrepareJob().parent, Printer(), report, m_prompts);
    });
}

void CListPrinting::OnFilePrintPreview()
{
    RunJob([this](CReportPrinter &report) {
        PrintJobs::Preview(PrepareJob(), Printer(), report, m_prompts, m_nPreviewPages);
    });
}

void CListPrinting::RunJob(const std::function<void(CReportPrinter &)> &job)
{
    QString error;
    const bool done = CatchOutOfMemory([&] {
        CReportPrinter report = Report();
        job(report);
        return true;
    }, &error);
    if (!done)
        m_prompts.MessageBox(LoadQString(Str::PrintFailed).arg(error));
}

void CListPrinting::OnFilePrintSetup()
{
    PrintJobs::PrintSetup(PrepareJob(), Printer());
}
