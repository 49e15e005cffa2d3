// The document's Import and Paste commands.
#include "data/lodexdoc.h"

#include "base/outofmemory.h"
#include "data/userprompts.h"
#include "exchange/filefilters.h"
#include "exchange/importrun.h"
#include "resources/strings.h"

#include <QCoreApplication>
#include <QDir>

#include <functional>

namespace {

// Runs one Import or Paste. Out of memory half-way, the whole command is
// taken back and the user told at which source.
void RunImport(CLodexDoc &doc, int stepNameId, const std::function<void(CImportRun &, QString &)> &work)
{
    QString source;
    QString reason;
    const bool enoughMemory = CatchOutOfMemory([&] {
        CImportRun run(doc, stepNameId);
        work(run, source);
        run.ShowCounts();
        return true;
    }, &reason);
    if (!enoughMemory && doc.m_pPrompts)
        doc.m_pPrompts->MessageBox(LoadQString(Str::ImportFailed).arg(source, reason));
}

} // namespace

void CLodexDoc::OnFileImport()
{
    if (!m_pPrompts)
        return;
    ImportFiles(m_pPrompts->GetOpenFileNames(QCoreApplication::translate("Import", "Import"), QtFileFilters(LoadString(Str::ImportFilters)),
                                             true));
}

void CLodexDoc::ImportFiles(const QStringList &paths)
{
    RunImport(*this, Str::StepImport, [&](CImportRun &run, QString &source) {
        for (const QString &path : paths) {
            const ImportSource::Kind kind = ImportSource::KindOf(path);
            if (path.isEmpty())
                continue;
            if (kind == ImportSource::Kind::None) {
                if (m_pPrompts)
                    m_pPrompts->MessageBox(LoadQString(Str::FormatNotSupported));
                continue;
            }
            source = QDir::toNativeSeparators(path);
            run.ImportFileAndTell(path, kind);
        }
    });
}

void CLodexDoc::OnEditPaste(QByteArray text)
{
    RunImport(*this, Str::StepPaste, [&](CImportRun &run, QString &source) {
        source = LoadQString(Str::ClipboardSource);
        run.ImportTextAndTell(std::move(text), source);
    });
}
