#include "exchange/semicolonlistreader.h"

#include "exchange/importsource.h"
#include "exchange/textlines.h"

#include <QCoreApplication>

#include <array>

namespace {

constexpr int kFieldCount = CReflector::ColumnCount;
constexpr const char *kFlagPrefixes[4] = {"AM:", "SV:", "RV:", "IR:"};

// The fields of one line. Quoted fields are unquoted into `m_unquoted`,
// which is sized once per line so that the views into it stay valid.
class CLineFields
{
public:
    void Split(QByteArrayView line)
    {
        m_fields.clear();
        m_unquoted.resize(0);
        m_unquoted.reserve(line.size());
        qsizetype pos = 0;
        for (;;) {
            pos = NextField(line, pos);
            if (pos >= line.size())
                break;
            ++pos; // the ';'
        }
    }

    const std::vector<QByteArrayView> &Fields() const { return m_fields; }

    // Nothing but separators and blanks: an empty row of a spreadsheet.
    bool IsBlank() const
    {
        for (QByteArrayView field : m_fields)
            if (!field.trimmed().isEmpty())
                return false;
        return true;
    }

private:
    // Takes the field starting at `pos`; answers where it ends.
    qsizetype NextField(QByteArrayView line, qsizetype pos)
    {
        if (pos < line.size() && line[pos] == '"') {
            const qsizetype start = m_unquoted.size();
            for (qsizetype i = pos + 1; i < line.size(); ++i) {
                if (line[i] != '"') {
                    m_unquoted.append(line[i]);
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    m_unquoted.append('"');
                    ++i;
                } else {
                    if (i + 1 == line.size() || line[i + 1] == ';') {
                        m_fields.push_back(QByteArrayView(m_unquoted.constData() + start, m_unquoted.size() - start));
                        return i + 1;
                    }
                    break;
                }
            }
            m_unquoted.resize(start); // not a quoted field after all
        }
        qsizetype end = line.indexOf(';', pos);
        if (end < 0)
            end = line.size();
        m_fields.push_back(line.sliced(pos, end - pos));
        return end;
    }

    std::vector<QByteArrayView> m_fields;
    QByteArray m_unquoted;
};

bool IsHeader(QByteArrayView firstField)
{
    return firstField.startsWith("LDX2 List");
}

// "AM:Yes" and the like; the prefix and the word in any letter case.
bool ReadFlag(QByteArrayView field, const char *prefix, int *flag)
{
    field = field.trimmed();
    return field.size() > 3 && field.first(3).compare(prefix, Qt::CaseInsensitive) == 0
           && ImportSource::ReadFlagWord(field.sliced(3), flag);
}

} // namespace

namespace SemicolonListReader {

bool Read(CTextLines &lines, ImportedReflectors &out, QString *error)
{
    CLineFields line;
    QByteArrayView text;
    bool seenLine = false;
    while (lines.Next(&text)) {
        line.Split(text);
        if (line.IsBlank())
            continue;
        const std::vector<QByteArrayView> &fields = line.Fields();
        if (!seenLine && IsHeader(fields[0])) {
            seenLine = true;
            continue;
        }
        seenLine = true;
        std::size_t count = fields.size();
        while (count > kFieldCount && fields[count - 1].trimmed().isEmpty())
            --count;
        if (count != kFieldCount) {
            *error = ImportSource::LineError(
                lines.LineNumber(), QCoreApplication::translate("Import", "%1 fields where a reflector line has %2").arg(count).arg(kFieldCount));
            return false;
        }
        auto record = std::make_unique<CReflector>();
        for (int i = 0; i < CReflector::kTextCount; ++i)
            record->Text(i) = CText(fields[i].data(), std::size_t(fields[i].size()));
        std::array<int, 4> flags{};
        for (int i = 0; i < 4; ++i) {
            const QByteArrayView field = fields[CReflector::kTextCount + i];
            if (!ReadFlag(field, kFlagPrefixes[i], &flags[i])) {
                *error = ImportSource::LineError(lines.LineNumber(),
                                                 QCoreApplication::translate("Import", "%1 where %2Yes or %2No belongs")
                                                     .arg(ImportSource::Quoted(field), QLatin1String(kFlagPrefixes[i])));
                return false;
            }
        }
        record->m_bAddToMenu = flags[0];
        record->m_bSendVideo = flags[1];
        record->m_bReceiveVideo = flags[2];
        record->m_bRunning = flags[3];
        record->Normalize();
        out.candidates.push_back({std::move(record)});
    }
    if (!lines.Error().isEmpty()) {
        *error = lines.Error();
        return false;
    }
    return true;
}

} // namespace SemicolonListReader
