// restore: the earlier contents of a file whose save was interrupted.
#include "base/nativepath.h"
#include "base/savejournal.h"
#include "cli/subcommand.h"

int RunRestore(const QStringList &args)
{
    QStringList files;
    bool keep = false;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--keep"))
            keep = true;
        else if (arg.startsWith(QLatin1String("--")))
            return Cli::Usage("restore");
        else
            files << arg;
    }
    if (files.size() != 1)
        return Cli::Usage("restore");
    const QString &file = files.constFirst();
    for (const InterruptedSave &save : SaveJournal::Interrupted()) {
        if (!SameFilePath(save.target, file))
            continue;
        QString error;
        if (keep)
            SaveJournal::Forget(save);
        else if (!SaveJournal::PutBack(save, &error))
            return Cli::Fail(file, error);
        return 0;
    }
    return Cli::Fail(file, QStringLiteral("no interrupted save of this file is known"));
}
