#include "exchange/exportformat.h"

#include "exchange/clientcodepage.h"
#include "exchange/filefilters.h"
#include "exchange/phonebookexport.h"
#include "exchange/semicolonlist.h"

namespace ExportFormat {

bool IsPhonebook(const QString &path)
{
    return HasExtension(path, "ini");
}

bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp, QString *error)
{
    return IsPhonebook(path) ? PhonebookExport::Export(path, list, stamp, CClientCodePage::FromSettings(), error)
                             : SemicolonList::Save(path, list, stamp, error);
}

} // namespace ExportFormat
