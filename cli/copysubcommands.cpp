// copy, cu: what Copy and drag-out hand to other programs, for chosen records.
#include "cli/subcommand.h"
#include "data/ldxfile.h"
#include "view/core/connectionfile.h"
#include "view/core/reflectortext.h"

#include <set>

namespace {

// Reads the row number `arg` of a list of `count` records; on failure,
// reports the problem on stderr and answers false.
bool ParseRow(const QString &file, const QString &arg, std::size_t count, std::size_t *row)
{
    bool isNumber = false;
    const qulonglong value = arg.toULongLong(&isNumber);
    if (!isNumber || arg.startsWith(u'+')) {
        Cli::Fail(file, QStringLiteral("'%1' is not a row number").arg(arg));
        return false;
    }
    if (value >= count) {
        Cli::Fail(file, QStringLiteral("row %1 is out of range (%2 records)").arg(arg).arg(count));
        return false;
    }
    *row = std::size_t(value);
    return true;
}

bool LoadList(const QString &path, ReflectorList &list)
{
    QString error;
    if (LdxFile::Load(path, list, &error) == OpenResult::Opened)
        return true;
    Cli::Fail(path, error);
    return false;
}

} // namespace

int RunCopy(const QStringList &args)
{
    if (args.isEmpty())
        return Cli::Usage("copy");
    ReflectorList list;
    if (!LoadList(args[0], list))
        return Cli::kFailure;
    // Like a selection: file order, each row once, whatever order they are named in.
    std::set<std::size_t> rows;
    for (qsizetype i = 1; i < args.size(); ++i) {
        std::size_t row = 0;
        if (!ParseRow(args[0], args[i], list.size(), &row))
            return Cli::kFailure;
        rows.insert(row);
    }
    std::vector<const CReflector *> records;
    if (args.size() == 1) {
        for (const auto &record : list)
            records.push_back(record.get());
    } else {
        for (std::size_t row : rows)
            records.push_back(list[row].get());
    }
    return Cli::Print(ReflectorText(records));
}

int RunCu(const QStringList &args)
{
    if (args.size() != 2)
        return Cli::Usage("cu");
    ReflectorList list;
    if (!LoadList(args[0], list))
        return Cli::kFailure;
    std::size_t row = 0;
    if (!ParseRow(args[0], args[1], list.size(), &row))
        return Cli::kFailure;
    return Cli::Print(ConnectionFile(*list[row]));
}
