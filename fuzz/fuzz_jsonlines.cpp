// Feeds arbitrary bytes to what `lodex-cli build` reads from a script.
// Refused input is fine; accepted input must give records that hold every
// value as given, that the database file keeps, and that `dump` shows in a
// form `build` reads back to the same records.
#include "cli/jsonlines.h"
#include "data/ldxfile.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

constexpr std::size_t kMaxInput = 4096;

[[noreturn]] void Fail(const char *what, const QByteArray &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.constData());
    __builtin_trap();
}

bool ReadRecords(const QByteArray &lines, ReflectorList &list, QString *error)
{
    QBuffer in;
    in.setData(lines);
    in.open(QIODevice::ReadOnly);
    return JsonLines::ReadRecords(in, list, error);
}

QByteArray Dump(const CReflector &record)
{
    QByteArray line;
    JsonLines::AppendRecord(record, line);
    return line;
}

void CheckSame(const ReflectorList &a, const ReflectorList &b, const char *what)
{
    if (a.size() != b.size())
        Fail(what, "another record count");
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int t = 0; t < CReflector::kTextCount; ++t)
            if (a[i]->Text(t) != b[i]->Text(t))
                Fail(what, Dump(*a[i]) + Dump(*b[i]));
        for (int f = 0; f < 4; ++f)
            if (a[i]->Flag(f) != b[i]->Flag(f))
                Fail(what, Dump(*a[i]) + Dump(*b[i]));
    }
}

// Every key that dump shows holds the line's value as Qt's own parser
// reads it, or an empty text or 0 when the line leaves the key out.
void CheckAsGiven(const QByteArray &line, const CReflector &record)
{
    const QJsonObject given = QJsonDocument::fromJson(line).object();
    const QJsonObject shown = QJsonDocument::fromJson(Dump(record)).object();
    if (shown.isEmpty())
        Fail("dump shows a record that is no JSON object", Dump(record));
    for (auto it = shown.begin(); it != shown.end(); ++it) {
        const QJsonValue value = given.value(it.key());
        const bool same = value.isUndefined() || value.isNull()
                              ? it->toString().isEmpty() && it->toDouble() == 0
                              : value.isString() ? it->isString() && it->toString() == value.toString()
                                                 : it->isDouble() && it->toDouble() == value.toDouble();
        if (!same)
            Fail("a value is not kept as given", line + Dump(record));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    ReflectorList list;
    QString error;
    if (!ReadRecords(input, list, &error)) {
        if (error.isEmpty())
            Fail("refused without saying why", input);
        return 0;
    }

    // The records pair with the lines that are not blank, in order.
    std::size_t next = 0;
    for (const QByteArray &line : input.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (next >= list.size())
            Fail("a line gave no record", line);
        CheckAsGiven(line, *list[next++]);
    }
    if (next != list.size())
        Fail("records without a line", input);

    // The database file holds them as they are.
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    if (!LdxFile::Write(list, file))
        Fail("the database file cannot be written", input);
    ReflectorList read;
    if (!LdxFile::Read(file.data().constData(), std::size_t(file.data().size()), read, &error))
        Fail("the database file cannot be read back", error.toUtf8());
    CheckSame(list, read, "the database file reads back other records");

    // dump, then build again.
    QByteArray dumped;
    for (const auto &record : read)
        JsonLines::AppendRecord(*record, dumped);
    ReflectorList rebuilt;
    if (!ReadRecords(dumped, rebuilt, &error))
        Fail("build refuses what dump wrote", error.toUtf8() + "\n" + dumped);
    CheckSame(list, rebuilt, "dump, then build, gives other records");
    return 0;
}
