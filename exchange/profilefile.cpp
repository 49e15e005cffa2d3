#include "exchange/profilefile.h"

#include "exchange/onelinetext.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstring>

namespace {

constexpr QByteArrayView kLineBreak("\r\n");
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

enum class LineKind { Blank, Header, Comment, Key };

// What a line is, and its section or key name.
LineKind Classify(QByteArrayView text, QByteArrayView *name)
{
    const QByteArrayView trimmed = Trimmed(text);
    if (trimmed.isEmpty())
        return LineKind::Blank;
    if (trimmed.front() == ';')
        return LineKind::Comment;
    // Whatever follows the last ']' (a comment, as a rule) is not part of
    // the name, and does not keep the line from starting a section.
    const qsizetype close = trimmed.front() == '[' ? trimmed.lastIndexOf(']') : -1;
    if (close > 0) {
        *name = trimmed.sliced(1, close - 1);
        return LineKind::Header;
    }
    const qsizetype equals = trimmed.indexOf('=');
    *name = equals < 0 ? trimmed : Trimmed(trimmed.first(equals));
    return LineKind::Key;
}

} // namespace

CProfileFile::Key::Key(QByteArrayView name) : m_name(OneLine(name)), m_folded(m_name)
{
}

CProfileFile::CProfileFile(QByteArray contents) : m_source(std::move(contents))
{
    Parse();
}

void CProfileFile::Parse()
{
    const char *const data = m_source.constData();
    const qsizetype size = m_source.size();
    m_lines.reserve(std::size_t(std::count(m_source.cbegin(), m_source.cend(), '\n')) + 1);
    // Room for a section per line that starts with '[', so that the index
    // is not rebuilt again and again while it fills.
    m_sectionIndex.Reserve(std::size_t(m_source.count("\n[")) + 1);
    int current = -1; // none before the first header and in a repeated section
    for (qsizetype pos = 0; pos < size;) {
        const char *lf = static_cast<const char *>(std::memchr(data + pos, '\n', std::size_t(size - pos)));
        const qsizetype end = lf ? lf - data + 1 : size;
        const int line = int(m_lines.size());
        m_lines.push_back({pos, int32_t(end - pos), -1});
        if (line > 0)
            m_lines[std::size_t(line) - 1].next = line;
        pos = end;

        QByteArrayView name;
        switch (Classify(Text(line), &name)) {
        case LineKind::Blank:
            break;
        case LineKind::Header:
            m_lookup.Set(name);
            current = FindSection(m_lookup) < 0 ? AddSection(line, m_lookup) : -1;
            break;
        case LineKind::Comment:
            if (current >= 0)
                m_sections[std::size_t(current)].lastNonBlank = line;
            break;
        case LineKind::Key:
            if (current >= 0) {
                m_sections[std::size_t(current)].lastNonBlank = line;
                m_lookup.Set(name);
                AddKey(m_sections[std::size_t(current)], m_lookup.hash(), line);
            }
            break;
        }
    }
    if (!m_lines.empty()) {
        m_first = 0;
        m_last = int32_t(m_lines.size()) - 1;
    }
}

QByteArrayView CProfileFile::Bytes(int line) const
{
    const Line &l = m_lines[std::size_t(line)];
    return l.offset >= 0 ? QByteArrayView(m_source.constData() + l.offset, l.size)
                         : QByteArrayView(m_added.constData() + ~l.offset, l.size);
}

QByteArrayView CProfileFile::Text(int line) const
{
    QByteArrayView text = Bytes(line);
    if (text.endsWith('\n'))
        text.chop(1);
    if (line == 0 && text.startsWith(kByteOrderMark))
        text = text.sliced(kByteOrderMark.size());
    return text;
}

bool CProfileFile::IsBlank(int line) const
{
    return Trimmed(Text(line)).isEmpty();
}

void CProfileFile::SetAddedBytes(int line, qsizetype start)
{
    Line &l = m_lines[std::size_t(line)];
    l.offset = ~qint64(start);
    l.size = int32_t(m_added.size() - start);
}

int CProfileFile::NewLine(qsizetype start)
{
    const int line = int(m_lines.size());
    m_lines.push_back({0, 0, -1});
    SetAddedBytes(line, start);
    return line;
}

void CProfileFile::InsertAfter(int after, int line)
{
    m_lines[std::size_t(line)].next = m_lines[std::size_t(after)].next;
    m_lines[std::size_t(after)].next = line;
    if (m_last == after)
        m_last = line;
}

void CProfileFile::Append(int line)
{
    if (m_last < 0)
        m_first = line;
    else
        m_lines[std::size_t(m_last)].next = line;
    m_last = line;
}

void CProfileFile::EnsureLineBreak(int line)
{
    if (Bytes(line).endsWith('\n'))
        return;
    const QByteArray bytes = Bytes(line).toByteArray();
    const qsizetype start = m_added.size();
    m_added.append(bytes).append(kLineBreak);
    SetAddedBytes(line, start);
}

void CProfileFile::RoomToAdd(qsizetype bytes)
{
    if (m_added.capacity() - m_added.size() < bytes)
        m_added.reserve(std::max(m_added.capacity() * 2, m_added.size() + bytes));
}

void CProfileFile::AddKey(SectionEntry &section, uint64_t hash, int line)
{
    const int32_t key = int32_t(m_keys.size());
    m_keys.push_back({uint32_t(hash), line, -1});
    if (section.lastKey < 0)
        section.firstKey = key;
    else
        m_keys[std::size_t(section.lastKey)].next = key;
    section.lastKey = key;
}

int CProfileFile::AddSection(int header, const CFoldedName &name)
{
    const int section = int(m_sections.size());
    m_sections.push_back({header, header, -1, -1});
    m_sectionIndex.Insert(name, section);
    return section;
}

int CProfileFile::FindSection(const CFoldedName &name) const
{
    return m_sectionIndex.Find(name, [&](int section) {
        QByteArrayView header;
        Classify(Text(m_sections[std::size_t(section)].header), &header);
        return MatchesFolded(header, name.folded());
    });
}

QByteArray CProfileFile::SeparatorBeforeNewSection() const
{
    QByteArray separator;
    if (m_last >= 0) {
        if (!Bytes(m_last).endsWith('\n'))
            separator.append(kLineBreak);
        if (!IsBlank(m_last))
            separator.append(kLineBreak);
    }
    return separator;
}

int CProfileFile::Section(QByteArrayView name)
{
    m_lookup.Set(name);
    const int found = FindSection(m_lookup);
    if (found >= 0)
        return found;

    if (m_last >= 0) {
        EnsureLineBreak(m_last);
        if (!IsBlank(m_last)) {
            const qsizetype start = m_added.size();
            m_added.append(kLineBreak);
            Append(NewLine(start));
        }
    }
    const qsizetype start = m_added.size();
    m_added.append('[');
    AppendOneLine(m_added, name);
    m_added.append(']').append(kLineBreak);
    const int line = NewLine(start);
    Append(line);
    return AddSection(line, m_lookup);
}

void CProfileFile::Write(int section, const Key &key, QByteArrayView value)
{
    SectionEntry &s = m_sections[std::size_t(section)];
    for (int32_t k = s.firstKey; k >= 0; k = m_keys[std::size_t(k)].next) {
        const KeyEntry &entry = m_keys[std::size_t(k)];
        if (entry.hash != uint32_t(key.m_folded.hash()))
            continue;
        // The line may lie in the added bytes that the new line goes to:
        // make room first, so that its name stays where it is meanwhile.
        RoomToAdd(Bytes(entry.line).size() + value.size() + kLineBreak.size() + 1);
        QByteArrayView name;
        Classify(Text(entry.line), &name);
        if (!MatchesFolded(name, key.m_folded.folded()))
            continue;
        // The line keeps the file's spelling of the name.
        const qsizetype start = m_added.size();
        m_added.append(name).append('=');
        AppendOneLine(m_added, value);
        m_added.append(kLineBreak);
        // A line that reads the same as before stays where it is.
        if (Bytes(entry.line) == QByteArrayView(m_added).sliced(start))
            m_added.truncate(start);
        else
            SetAddedBytes(entry.line, start);
        return;
    }
    EnsureLineBreak(s.lastNonBlank);
    const qsizetype start = m_added.size();
    m_added.append(key.m_name).append('=');
    AppendOneLine(m_added, value);
    m_added.append(kLineBreak);
    const int line = NewLine(start);
    InsertAfter(s.lastNonBlank, line);
    s.lastNonBlank = line;
    AddKey(s, key.m_folded.hash(), line);
}

void CProfileFile::WriteString(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    Write(Section(section), Key(key), value);
}

// Hands the file to `sink` in runs of adjacent bytes: unchanged stretches
// of the original and the appended sections go out in one piece each.
template <typename Sink> bool CProfileFile::ForEachRun(Sink &&sink) const
{
    const char *runStart = nullptr;
    qsizetype runSize = 0;
    for (int32_t line = m_first; line >= 0; line = m_lines[std::size_t(line)].next) {
        const QByteArrayView bytes = Bytes(line);
        if (runStart && runStart + runSize == bytes.data()) {
            runSize += bytes.size();
            continue;
        }
        if (runSize > 0 && !sink(QByteArrayView(runStart, runSize)))
            return false;
        runStart = bytes.data();
        runSize = bytes.size();
    }
    return runSize == 0 || sink(QByteArrayView(runStart, runSize));
}

QByteArray CProfileFile::Contents() const
{
    QByteArray contents;
    ForEachRun([&contents](QByteArrayView run) {
        contents.append(run);
        return true;
    });
    return contents;
}

bool CProfileFile::WriteTo(QIODevice &device) const
{
    return ForEachRun([&device](QByteArrayView run) { return device.write(run.data(), run.size()) == run.size(); });
}
