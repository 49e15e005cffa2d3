#include "cli/jsonlines.h"

#include "data/storedtext.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace {

const char *const kTextKeys[CReflector::kTextCount] = {
    "country", "letters", "fullName", "shortName", "ipAddress", "contact", "email", "conferenceId",
};
const char *const kFlagKeys[4] = {"addToMenu", "sendVideo", "receiveVideo", "running"};

void appendJsonString(std::string_view stored, QByteArray &out)
{
    static const char hex[] = "0123456789abcdef";
    // A text that is not UTF-8 is Windows-1252, as everywhere it is shown.
    const QByteArray utf8 = StoredText::ToUtf8(QByteArrayView(stored.data(), qsizetype(stored.size())));
    out.append('"');
    for (const char byte : utf8) {
        const auto c = (unsigned char)byte;
        if (c == '"' || c == '\\') {
            out.append('\\');
            out.append(byte);
        } else if (c < 0x20) {
            out.append("\\u00");
            out.append(hex[c >> 4]);
            out.append(hex[c & 0xF]);
        } else {
            out.append(byte);
        }
    }
    out.append('"');
}

// The lines of a device, read in large blocks: any bytes, NUL included, and
// no line longer than a limit, so that endless input without line breaks
// (/dev/zero) ends with a message rather than with all memory taken.
class CInputLines
{
public:
    static constexpr qsizetype kMaxLength = 16 << 20;

    explicit CInputLines(QIODevice &in) : m_in(in) {}

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
            const qint64 n = m_in.read(m_buffer.data() + had, kBlock);
            m_buffer.resize(had + std::max<qint64>(n, 0));
            if (n < 0)
                return Failed;
            m_atEnd = n == 0;
        }
    }

private:
    static constexpr qsizetype kBlock = 1 << 20;
    QIODevice &m_in;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
};

} // namespace

namespace JsonLines {

void AppendRecord(const CReflector &record, QByteArray &out)
{
    out.append('{');
    for (int i = 0; i < CReflector::kTextCount; ++i) {
        if (i)
            out.append(',');
        out.append('"').append(kTextKeys[i]).append("\":");
        appendJsonString(record.Text(i).view(), out);
    }
    for (int i = 0; i < 4; ++i)
        out.append(",\"").append(kFlagKeys[i]).append("\":").append(QByteArray::number(record.Flag(i)));
    out.append("}\n");
}

bool ParseRecord(QByteArrayView line, CReflector &record, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("a record must be a JSON object");
        return false;
    }
    const QJsonObject object = doc.object();
    for (int i = 0; i < CReflector::kTextCount; ++i) {
        const QJsonValue value = object.value(QLatin1String(kTextKeys[i]));
        if (value.isUndefined() || value.isNull()) {
            record.Text(i) = CText();
        } else if (value.isString()) {
            const QString string = value.toString();
            // Half of a surrogate pair is no character: UTF-8 has no form
            // for it, and the text would be written with a '?' instead.
            if (!string.isValidUtf16()) {
                *error = QStringLiteral("\"%1\" holds half of a surrogate pair, which is no character")
                             .arg(QLatin1String(kTextKeys[i]));
                return false;
            }
            const QByteArray text = string.toUtf8();
            if (text.contains('\0')) {
                *error = QStringLiteral("\"%1\" holds a zero character, which a database text cannot hold")
                             .arg(QLatin1String(kTextKeys[i]));
                return false;
            }
            record.Text(i) = CText(text);
        } else {
            *error = QStringLiteral("\"%1\" must be a string").arg(QLatin1String(kTextKeys[i]));
            return false;
        }
    }
    int *flags[4] = {&record.m_bAddToMenu, &record.m_bSendVideo, &record.m_bReceiveVideo, &record.m_bRunning};
    for (int i = 0; i < 4; ++i) {
        const QJsonValue value = object.value(QLatin1String(kFlagKeys[i]));
        if (value.isUndefined() || value.isNull()) {
            *flags[i] = 0;
            continue;
        }
        const double d = value.toDouble(-1);
        if (!value.isDouble() || d < 0 || d > 65535 || d != double(int(d))) {
            *error = QStringLiteral("\"%1\" must be an integer from 0 to 65535").arg(QLatin1String(kFlagKeys[i]));
            return false;
        }
        *flags[i] = int(d);
    }
    return true;
}

bool ReadRecords(QIODevice &in, ReflectorList &out, QString *error)
{
    CInputLines lines(in);
    QByteArray line;
    for (int lineNumber = 1;; ++lineNumber) {
        switch (lines.Next(&line)) {
        case CInputLines::End:
            return true;
        case CInputLines::Failed:
            *error = in.errorString();
            return false;
        case CInputLines::TooLong:
            *error = QStringLiteral("line %1 is longer than %2 bytes").arg(lineNumber).arg(CInputLines::kMaxLength);
            return false;
        case CInputLines::Line:
            break;
        }
        if (line.trimmed().isEmpty())
            continue;
        auto record = std::make_unique<CReflector>();
        QString problem;
        if (!ParseRecord(line, *record, &problem)) {
            *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(problem);
            return false;
        }
        out.push_back(std::move(record));
    }
}

} // namespace JsonLines
