// import: File > Import without questions, for scripts.
#include "cli/subcommand.h"
#include "exchange/importrun.h"
#include "resources/strings.h"

int RunImport(const QStringList &args)
{
    QStringList files;
    QString conflicts;
    if (!Cli::SplitArguments(args, "--conflicts", &files, &conflicts) || files.size() < 2
        || !(conflicts.isNull() || conflicts == QLatin1String("keep") || conflicts == QLatin1String("take")))
        return Cli::Usage("import");
    const QString database = files.takeFirst();

    CLodexDoc doc;
    QString error;
    if (doc.OnOpenDocument(database, &error) != OpenResult::Opened)
        return Cli::Fail(database, error);
    // The save then refuses to write over changes another program made
    // meanwhile.
    doc.SetPathName(database);
    QByteArray out;
    {
        CImportRun run(doc, Str::StepImport,
                       conflicts == QLatin1String("take") ? CImportRun::Conflicts::TakeSource
                                                          : CImportRun::Conflicts::KeepList);
        for (const QString &file : files) {
            const ImportSource::Kind kind = ImportSource::KindOf(file);
            if (kind == ImportSource::Kind::None)
                return Cli::Fail(file, QStringLiteral("not a file Import reads (.ini, .csv or .txt)"));
            CImportRun::Counts counts;
            if (!run.ImportFile(file, kind, file, &counts, &error))
                return Cli::Fail(file, error);
            out += CImportRun::CountsLine(file, counts).toUtf8() + '\n';
        }
    }
    // Nothing changed: the file is left as it is, its time included.
    if (doc.IsModified() && doc.OnSaveDocument(database, &error) != CSafeSave::Result::Saved)
        return Cli::Fail(database, error);
    return Cli::Print(out);
}
