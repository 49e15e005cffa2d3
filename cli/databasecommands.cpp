// dump, build, countries: the database file and the country table.
#include "cli/command.h"
#include "cli/jsonlines.h"
#include "data/countrytable.h"
#include "data/ldxfile.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

int RunDump(const QStringList &args)
{
    if (args.size() != 1)
        return Cli::Usage("dump");
    ReflectorList list;
    QString error;
    if (LdxFile::Load(args[0], list, &error) != LdxFile::LoadResult::Loaded)
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

namespace {

// The lines of a file descriptor, read in large blocks: any bytes, NUL
// included, and no line longer than a limit, so that endless input
// without line breaks (/dev/zero) ends with a message rather than with all
// memory taken.
class CInputLines
{
public:
    static constexpr qsizetype kMaxLength = 16 << 20;

    explicit CInputLines(int fd) : m_fd(fd) {}

    enum Result { Line, End, TooLong, Failed };
    Result Next(QByteArray *line)
    {
        for (;;) {
            const qsizetype lf = m_buffer.indexOf('\n', m_pos);
            if (lf >= 0 || (m_atEnd && m_pos < m_buffer.size())) {
                const qsizetype end = lf >= 0 ? lf + 1 : m_buffer.size();
                *line = m_buffer.mid(m_pos, end - m_pos);
                m_pos = end;
                return Line;
            }
            if (m_atEnd)
                return End;
            if (m_buffer.size() - m_pos > kMaxLength)
                return TooLong;
            m_buffer.remove(0, m_pos);
            m_pos = 0;
            const qsizetype had = m_buffer.size();
            m_buffer.resize(had + kBlock);
            ssize_t n;
            do
                n = ::read(m_fd, m_buffer.data() + had, kBlock);
            while (n < 0 && errno == EINTR);
            m_buffer.resize(had + std::max<qsizetype>(n, 0));
            if (n < 0)
                return Failed;
            m_atEnd = n == 0;
        }
    }

private:
    static constexpr qsizetype kBlock = 1 << 20;
    int m_fd;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
};

} // namespace

int RunBuild(const QStringList &args)
{
    if (args.size() != 1)
        return Cli::Usage("build");
    const QString input = QStringLiteral("standard input");
    CInputLines lines(STDIN_FILENO);
    ReflectorList list;
    QByteArray line;
    for (int lineNumber = 1;; ++lineNumber) {
        const CInputLines::Result result = lines.Next(&line);
        if (result == CInputLines::End)
            break;
        if (result == CInputLines::Failed)
            return Cli::Fail(input, qt_error_string(errno));
        if (result == CInputLines::TooLong)
            return Cli::Fail(input, QStringLiteral("line %1 is longer than %2 bytes")
                                        .arg(lineNumber)
                                        .arg(CInputLines::kMaxLength));
        if (line.trimmed().isEmpty())
            continue;
        auto record = std::make_unique<CReflector>();
        QString error;
        if (!JsonLines::ParseRecord(line, *record, &error))
            return Cli::Fail(input, QStringLiteral("line %1: %2").arg(lineNumber).arg(error));
        list.push_back(std::move(record));
    }
    QString error;
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
