// export: the Export command of the program, for scripts.
#include "cli/subcommand.h"
#include "data/ldxfile.h"
#include "exchange/datetimestamp.h"
#include "exchange/exportformat.h"

#include <QDateTime>
#include <QLocale>

int RunExport(const QStringList &args)
{
    QStringList files;
    QString now;
    if (!Cli::SplitArguments(args, "--now", &files, &now) || files.size() != 2)
        return Cli::Usage("export");
    const QString &source = files[0];
    const QString &target = files[1];

    QDateTime when = QDateTime::currentDateTime();
    if (!now.isNull()) {
        when = QDateTime::fromString(now, QStringLiteral("yyyy-MM-ddTHH:mm"));
        if (!when.isValid())
            return Cli::Fail(QString(), QStringLiteral("--now %1: expected a local time as YYYY-MM-DDTHH:MM").arg(now));
    }

    ReflectorList list;
    QString error;
    if (LdxFile::Load(source, list, &error) != OpenResult::Opened)
        return Cli::Fail(source, error);
    if (!ExportFormat::Export(target, list, DateTimeStamp::Make(when, QLocale::system()), &error))
        return Cli::Fail(target, error);
    return 0;
}
