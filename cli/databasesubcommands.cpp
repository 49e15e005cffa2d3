// dump, build, countries: the database file and the country table.
#include "cli/jsonlines.h"
#include "cli/subcommand.h"
#include "data/countrytable.h"
#include "data/ldxfile.h"

#include <QFile>

#include <unistd.h>

int RunDump(const QStringList &args)
{
    if (args.size() != 1)
        return Cli::Usage("dump");
    ReflectorList list;
    QString error;
    if (LdxFile::Load(args[0], list, &error) != OpenResult::Opened)
        return Cli::Fail(args[0], error);
    QByteArray out;
    for (const auto &record : list) {
        JsonLines::AppendRecord(*record, out);
        if (out.size() > (1 << 20)) {
            if (const int status = Cli::Print(out))
                return status;
            out.clear();
        }
    }
    return Cli::Print(out);
}

int RunBuild(const QStringList &args)
{
    if (args.size() != 1)
        return Cli::Usage("build");
    // Read by blocks from the descriptor: through stdio, a NUL byte would
    // pass for the end of a line.
    QFile in;
    if (!in.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Cli::Fail(QStringLiteral("standard input"), in.errorString());
    ReflectorList list;
    QString error;
    if (!JsonLines::ReadRecords(in, list, &error))
        return Cli::Fail(QStringLiteral("standard input"), error);
    if (!LdxFile::Save(args[0], list, &error))
        return Cli::Fail(args[0], error);
    return 0;
}

int RunCountries(const QStringList &args)
{
    if (!args.isEmpty())
        return Cli::Usage("countries");
    CCountryTable table;
    table.Load();
    QByteArray out;
    const char *code = nullptr;
    const char *name = nullptr;
    for (bool more = table.GetFirst(&code, &name); more; more = table.GetNext(&code, &name))
        out.append(code).append(';').append(name).append('\n');
    return Cli::Print(out);
}
