#include "support/referenceprofile.h"

#include "exchange/foldednames.h"

namespace {

// A write never adds a line: CR and LF in names and values become spaces.
QByteArray OneLineOf(QByteArray text)
{
    return text.replace('\r', ' ').replace('\n', ' ');
}

} // namespace

ReferenceProfile::ReferenceProfile(const QByteArray &file)
{
    for (qsizetype pos = 0; pos < file.size();) {
        qsizetype end = file.indexOf('\n', pos);
        end = end < 0 ? file.size() : end + 1;
        m_lines << file.mid(pos, end - pos);
        pos = end;
    }
}

void ReferenceProfile::Write(const ProfileWrite &raw)
{
    const ProfileWrite w{OneLineOf(raw.section), OneLineOf(raw.key), OneLineOf(raw.value)};
    int header = -1;
    for (int i = 0; i < m_lines.size() && header < 0; ++i)
        if (IsHeader(i) && FoldCase(HeaderName(i)) == FoldCase(w.section))
            header = i;
    if (header < 0) {
        // A file of nothing but a byte order mark is as empty as none.
        if (!m_lines.isEmpty() && m_lines != QByteArrayList{"\xEF\xBB\xBF"}) {
            BreakLine(int(m_lines.size()) - 1);
            if (!Trimmed(int(m_lines.size()) - 1).isEmpty())
                m_lines << "\r\n";
        }
        m_lines << "[" + w.section + "]\r\n";
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
            m_lines[i] = name + "=" + w.value + "\r\n";
            return;
        }
    }
    BreakLine(lastNonBlank);
    m_lines.insert(lastNonBlank + 1, w.key + "=" + w.value + "\r\n");
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
    QByteArray text = m_lines[i];
    if (i == 0 && text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    // trimmed() also takes '\n', which is the line's end here.
    return text.trimmed();
}

bool ReferenceProfile::IsHeader(int i) const
{
    const QByteArray text = Trimmed(i);
    return text.startsWith('[') && text.lastIndexOf(']') > 0;
}

// Between the '[' that starts the line and its last ']'.
QByteArray ReferenceProfile::HeaderName(int i) const
{
    const QByteArray text = Trimmed(i);
    return text.mid(1, text.lastIndexOf(']') - 1);
}

void ReferenceProfile::BreakLine(int i)
{
    if (!m_lines[i].endsWith('\n'))
        m_lines[i] += "\r\n";
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
