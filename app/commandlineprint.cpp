#include "app/commandlineprint.h"

#include "app/core/commandlineinfo.h"
#include "base/outofmemory.h"
#include "data/lodexdoc.h"
#include "view/printjobs.h"
#include "view/reportprinter.h"

#include <QCoreApplication>

namespace {

bool Print(const CCommandLineInfo &info, QString *error)
{
    CLodexDoc doc;
    QString reason;
    if (doc.OnOpenDocument(info.fileName, &reason) != OpenResult::Opened) {
        *error = QCoreApplication::translate("CLodexApp", "Cannot print '%1': %2").arg(info.fileName, reason);
        return false;
    }
    doc.SetPathName(info.fileName);

    const PrintTarget target = info.command == CCommandLineInfo::FilePrintTo
                                   ? PrintTarget::ForPrintTo(info.printerName, info.driverName, info.portName)
                                   : PrintTarget::Default();
    CReportPrinter report(doc.GetTitle(), ReportRows::FromList(doc.m_listReflectors));
    return PrintJobs::PrintDirect(report, target, error);
}

} // namespace

bool PrintFromCommandLine(const CCommandLineInfo &info, QString *error)
{
    return CatchOutOfMemory([&] { return Print(info, error); }, error);
}
