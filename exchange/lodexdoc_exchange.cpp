// The document's Export command (Import and Paste: lodexdoc_import.cpp).
#include "data/lodexdoc.h"

#include "base/outofmemory.h"
#include "data/userprompts.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/exportformat.h"
#include "exchange/filefilters.h"
#include "exchange/phonebookexport.h"
#include "exchange/semicolonlist.h"
#include "resources/strings.h"

#include <functional>

namespace {

QString Text(int id)
{
    return LoadQString(id);
}

// Runs one export under a busy indication and tells the user when the file
// could not be written, and why. The phonebook is the client's own file: a
// write that did not happen must not pass for one that did.
bool WriteExport(CLodexDoc &doc, const QString &path, const std::function<bool(QString *)> &write)
{
    bool written;
    QString reason;
    {
        CLodexDoc::BusyScope busy(&doc);
        written = CatchOutOfMemory([&] { return write(&reason); }, &reason);
    }
    if (!written && doc.m_pPrompts)
        doc.m_pPrompts->MessageBox(Text(Str::CannotCreateFile).arg(path) + QLatin1Char('\n') + reason);
    return written;
}

} // namespace

void CLodexDoc::OnFileExport()
{
    if (!m_pPrompts)
        return;
    const QString path = m_pPrompts->GetSaveFileName(tr("Export"), QStringLiteral("nickname.ini"),
                                                     QtFileFilters(LoadQString(Str::ExportFilters)),
                                                     QStringLiteral("ini"));
    if (path.isEmpty())
        return;
    if (ExportFormat::IsPhonebook(path))
        ExportPhonebook(path);
    else
        ExportSemicolonList(path);
}

bool CLodexDoc::ExportPhonebook(const QString &path)
{
    return WriteExport(*this, path, [&](QString *error) {
        return PhonebookExport::Export(path, m_listReflectors, DateTimeStamp::Now(), CClientCodePage::FromSettings(),
                                       error);
    });
}

bool CLodexDoc::ExportSemicolonList(const QString &path)
{
    return WriteExport(*this, path,
                       [&](QString *error) { return SemicolonList::Save(path, m_listReflectors, DateTimeStamp::Now(), error); });
}
