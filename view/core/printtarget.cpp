#include "view/core/printtarget.h"

namespace {

bool IsPdfPath(const QString &text)
{
    return text.trimmed().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

} // namespace

PrintTarget PrintTarget::ForPrintTo(const QString &printer, const QString &driver, const QString &port)
{
    Q_UNUSED(driver); // the printer's name already selects its driver here
    if (IsPdfPath(port))
        return {PdfFile, port.trimmed()};
    if (IsPdfPath(printer))
        return {PdfFile, printer.trimmed()};
    return {NamedPrinter, printer};
}
