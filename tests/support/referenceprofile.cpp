#include "support/referenceprofile.h"

#include "exchange/foldednames.h"

#include <QString>

namespace {

// A write never adds a line: CR and LF in names and values become spaces.
QByteArray OneLineOf(QByteArray text)
{
    return text.replace('\r', ' ').replace('\n', ' ');
}

QByteArray Encode(const QByteArray &text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : QString::fromUtf8(text)) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

} // namespace

ReferenceProfile::ReferenceProfile(const QByteArray &file)
{
    for (const char *mark : {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"})
        if (m_mark.isEmpty() && file.startsWith(mark))
            m_mark = mark;
    m_unitSize = m_mark.size() == 2 ? 2 : 1;
    m_bigEndian = m_mark == "\xFE\xFF";
    const QByteArray rest = file.mid(m_mark.size());
    qsizetype start = 0;
    for (qsizetype at = 0; at + m_unitSize <= rest.size(); at += m_unitSize) {
        const char16_t unit = Unit(rest, at);
        const bool crLf = unit == '\r' && at + 2 * m_unitSize <= rest.size() && Unit(rest, at + m_unitSize) == '\n';
        if (crLf)
            at += m_unitSize;
        else if (unit != '\r' && unit != '\n')
            continue;
        m_lines << rest.mid(start, at + m_unitSize - start);
        start = at + m_unitSize;
    }
    // A last byte that is half a UTF-16 character is no part of any line.
    const qsizetype end = rest.size() - rest.size() % m_unitSize;
    if (start < end)
        m_lines << rest.mid(start, end - start);
}

char16_t ReferenceProfile::Unit(const QByteArray &bytes, qsizetype at) const
{
    if (m_unitSize == 1)
        return uchar(bytes[at]);
    const auto first = uchar(bytes[at]);
    const auto second = uchar(bytes[at + 1]);
    return char16_t(m_bigEndian ? first << 8 | second : second << 8 | first);
}

bool ReferenceProfile::Ended(int i) const
{
    const QByteArray &line = m_lines[i];
    const char16_t last = Unit(line, line.size() - m_unitSize);
    return last == '\r' || last == '\n';
}

QByteArray ReferenceProfile::Text(int i) const
{
    QByteArray text = m_lines[i];
    if (m_unitSize == 2) {
        QString units;
        for (qsizetype at = 0; at + 2 <= text.size(); at += 2)
            units += QChar(Unit(text, at));
        text = units.toUtf8();
    }
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return text;
}

QByteArray ReferenceProfile::Encoded(const QByteArray &text) const
{
    return m_unitSize == 1 ? text : Encode(text, m_bigEndian);
}

void ReferenceProfile::Write(const ProfileWrite &raw)
{
    ProfileWrite w{OneLineOf(raw.section), OneLineOf(raw.key), OneLineOf(raw.value)};
    if (m_unitSize == 2)
        for (QByteArray *text : {&w.section, &w.key, &w.value})
            *text = QString::fromUtf8(*text).toUtf8(); // as Unicode
    int header = -1;
    for (int i = 0; i < m_lines.size() && header < 0; ++i)
        if (IsHeader(i) && FoldCase(HeaderName(i)) == FoldCase(w.section.trimmed()))
            header = i;
    if (header < 0) {
        if (!m_lines.isEmpty()) {
            BreakLine(int(m_lines.size()) - 1);
            if (!Trimmed(int(m_lines.size()) - 1).isEmpty())
                m_lines << Encoded("\r\n");
        }
        m_lines << Encoded("[" + w.section + "]\r\n");
        header = int(m_lines.size()) - 1;
    }
    int end = header + 1;
    while (end < m_lines.size() && !IsHeader(end))
        ++end;
    int lastNonBlank = header;
    for (int i = header + 1; i < end; ++i) {
        const QByteArray text = Trimmed(i);
        if (text.isEmpty())
            continue;
        lastNonBlank = i;
        if (text.startsWith(';'))
            continue;
        const QByteArray name = text.contains('=') ? text.left(text.indexOf('=')).trimmed() : text;
        if (FoldCase(name) == FoldCase(w.key)) {
            m_lines[i] = Encoded(name + "=" + w.value + "\r\n");
            return;
        }
    }
    BreakLine(lastNonBlank);
    m_lines.insert(lastNonBlank + 1, Encoded(w.key + "=" + w.value + "\r\n"));
}

QByteArrayList ReferenceProfile::SectionNames() const
{
    QByteArrayList names;
    for (int i = 0; i < m_lines.size(); ++i)
        if (IsHeader(i))
            names << HeaderName(i);
    return names;
}

QByteArray ReferenceProfile::Trimmed(int i) const
{
    return Text(i).trimmed();
}

bool ReferenceProfile::IsHeader(int i) const
{
    const QByteArray text = Trimmed(i);
    return text.startsWith('[') && text.lastIndexOf(']') > 0;
}

// Between the '[' that starts the line and its last ']', trimmed.
QByteArray ReferenceProfile::HeaderName(int i) const
{
    const QByteArray text = Trimmed(i);
    return text.mid(1, text.lastIndexOf(']') - 1).trimmed();
}

void ReferenceProfile::BreakLine(int i)
{
    if (!Ended(i))
        m_lines[i] += Encoded("\r\n");
}

QByteArray ApplyOneByOne(const QByteArray &file, const WriteList &writes)
{
    ReferenceProfile reference(file);
    for (const ProfileWrite &w : writes)
        reference.Write(w);
    return reference.Contents();
}

WriteList ExportWrites(const ReflectorList &list, const QByteArray &date, const QByteArray &time)
{
    WriteList writes;
    auto section = [&writes](const QByteArray &name, const QByteArray &ip, const char *send, const char *receive,
                             const char *menu, const QByteArray &id) {
        writes << ProfileWrite{name, "IP", ip} << ProfileWrite{name, "Send Video", send}
               << ProfileWrite{name, "Receive Video", receive} << ProfileWrite{name, "Add To Menu", menu}
               << ProfileWrite{name, "ConferenceID", id};
    };
    section("_LDX List " + date + " " + time + "_", "0.0.0.0", "No", "No", "Yes", "0");
    for (const auto &r : list)
        if (r->m_bRunning)
            section("(" + r->m_strLetters.toByteArray() + ") " + r->m_strShortName.toByteArray(),
                    r->m_strIPAddress.toByteArray(), r->m_bSendVideo ? "Yes" : "No",
                    r->m_bReceiveVideo ? "Yes" : "No", r->m_bAddToMenu ? "Yes" : "No",
                    r->m_strConferenceID.toByteArray());
    return writes;
}

QByteArray Utf16File(const QByteArray &text, bool bigEndian)
{
    return (bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE")) + Encode(text, bigEndian);
}
