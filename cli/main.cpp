// lodex-cli: the database tools for scripts. The subcommands and their
// output are a contract; see --help.
#include "base/nativepath.h"
#include "base/outofmemory.h"
#include "base/savejournal.h"
#include "cli/subcommand.h"
#include "resources/versioninfo.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

void PrintHelp(FILE *to)
{
    std::fprintf(to, "Usage: lodex-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const CliSubcommand *c = CliSubcommands(); c->name; ++c)
        std::fprintf(to, "  %s %s\n      %s\n", c->name, c->usage, c->summary);
}

// Standard output is buffered, so whether it took everything shows only
// when it is flushed; a success that lost its output is a failure.
int Finish(int status)
{
    if (std::fflush(stdout) != 0 && status == 0)
        return Cli::OutputFailed();
    return status;
}

// A save that never ended left a file cut short: say so whatever runs.
void WarnOfInterruptedSaves()
{
    for (const InterruptedSave &save : SaveJournal::Interrupted()) {
        const QByteArray target = NativePath(save.target);
        const QByteArray line = "lodex-cli: warning: the save of " + target
                                + " was interrupted; its earlier contents are kept in " + NativePath(save.copy)
                                + " (lodex-cli restore " + target + " puts them back)\n";
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    }
}

} // namespace

namespace Cli {

int Fail(const QString &file, const QString &problem)
{
    // The file's name as it is on disk, whatever its bytes.
    const QByteArray line = "lodex-cli: " + (file.isEmpty() ? QByteArray() : NativePath(file) + ": ")
                            + problem.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    return kFailure;
}

int Usage(const char *subcommandName)
{
    for (const CliSubcommand *c = CliSubcommands(); c->name; ++c)
        if (std::strcmp(c->name, subcommandName) == 0)
            std::fprintf(stderr, "Usage: lodex-cli %s %s\n", c->name, c->usage);
    return kFailure;
}

int Print(QByteArrayView bytes)
{
    const std::size_t size = std::size_t(bytes.size());
    return std::fwrite(bytes.data(), 1, size, stdout) == size ? 0 : OutputFailed();
}

int OutputFailed()
{
    return Fail(QString(), QStringLiteral("cannot write to standard output"));
}

bool SplitArguments(const QStringList &args, const char *option, QStringList *files, QString *value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String(option) && i + 1 < args.size() && value->isNull())
            *value = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return false;
        else
            *files << args[i];
    }
    return true;
}

} // namespace Cli

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = ArgumentsFromNative(argc, argv);
    if (args.isEmpty()) {
        PrintHelp(stderr);
        return Cli::kFailure;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        PrintHelp(stdout);
        return Finish(0);
    }
    if (name == QLatin1String("--version"))
        return Finish(Cli::Print("lodex-cli " + CVersionInfo::ThisProgram().DottedVersion().toLatin1() + '\n'));
    for (const CliSubcommand *c = CliSubcommands(); c->name; ++c) {
        if (name != QLatin1String(c->name))
            continue;
        if (name != QLatin1String("restore"))
            WarnOfInterruptedSaves();
        // No input may abort the tool: running out of memory is one more failure.
        QString outOfMemory;
        int status = Cli::kFailure;
        if (!CatchOutOfMemory([&] { status = c->run(args); return true; }, &outOfMemory))
            return Cli::Fail(QString(), outOfMemory);
        return Finish(status);
    }
    std::fprintf(stderr, "lodex-cli: unknown command '%s'\n", name.toLocal8Bit().constData());
    PrintHelp(stderr);
    return Cli::kFailure;
}
