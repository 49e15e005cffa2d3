#include "exchange/profilefile.h"

#include "exchange/onelinetext.h"

#include <QIODevice>
#include <QString>

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
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
        *name = trimmed.sliced(1, trimmed.size() - 2);
        return LineKind::Header;
    }
    const qsizetype equals = trimmed.indexOf('=');
    *name = equals < 0 ? trimmed : Trimmed(trimmed.first(equals));
    return LineKind::Key;
}

uint32_t HashOf(QByteArrayView folded)
{
    return uint32_t(qHash(folded));
}

} // namespace

QByteArray FoldCase(QByteArrayView text)
{
    QByteArray folded(text.size(), Qt::Uninitialized);
    bool ascii = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        ascii = ascii && !(c & 0x80);
        folded[i] = (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
    }
    if (ascii)
        return folded;
    // Other letters only for valid UTF-8: decoding anything else would map
    // different byte strings to the same replacement characters.
    const QString decoded = QString::fromUtf8(text);
    if (decoded.toUtf8() != text)
        return folded;
    return decoded.toCaseFolded().toUtf8();
}

CProfileFile::Key::Key(QByteArrayView name)
    : m_name(OneLine(name)), m_folded(FoldCase(m_name)), m_hash(HashOf(m_folded))
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
    SectionEntry *current = nullptr; // null before the first header and in a repeated section
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
        case LineKind::Header: {
            const QByteArray folded = FoldCase(name);
            current = nullptr;
            if (!m_sectionByName.contains(folded)) {
                m_sectionByName.insert(folded, int(m_sections.size()));
                m_sections.push_back({line, line, -1, -1});
                current = &m_sections.back();
            }
            break;
        }
        case LineKind::Comment:
            if (current)
                current->lastNonBlank = line;
            break;
        case LineKind::Key:
            if (current) {
                current->lastNonBlank = line;
                AddKey(*current, HashOf(FoldCase(name)), line);
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

void CProfileFile::SetBytes(int line, QByteArrayView bytes)
{
    Line &l = m_lines[std::size_t(line)];
    l.offset = ~qint64(m_added.size());
    l.size = int32_t(bytes.size());
    m_added.append(bytes);
}

int CProfileFile::NewLine(QByteArrayView bytes)
{
    const int line = int(m_lines.size());
    m_lines.push_back({0, 0, -1});
    SetBytes(line, bytes);
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
    const QByteArrayView bytes = Bytes(line);
    if (!bytes.endsWith('\n'))
        SetBytes(line, bytes.toByteArray().append(kLineBreak));
}

void CProfileFile::AddKey(SectionEntry &section, uint32_t hash, int line)
{
    const int32_t key = int32_t(m_keys.size());
    m_keys.push_back({hash, line, -1});
    if (section.lastKey < 0)
        section.firstKey = key;
    else
        m_keys[std::size_t(section.lastKey)].next = key;
    section.lastKey = key;
}

int CProfileFile::Section(QByteArrayView name)
{
    const QByteArray written = OneLine(name);
    const QByteArray folded = FoldCase(written);
    const auto found = m_sectionByName.constFind(folded);
    if (found != m_sectionByName.constEnd())
        return found.value();

    if (m_last >= 0) {
        EnsureLineBreak(m_last);
        if (!IsBlank(m_last))
            Append(NewLine(kLineBreak));
    }
    QByteArray header;
    header.reserve(written.size() + 4);
    header.append('[').append(written).append(']').append(kLineBreak);
    const int line = NewLine(header);
    Append(line);
    const int section = int(m_sections.size());
    m_sections.push_back({line, line, -1, -1});
    m_sectionByName.insert(folded, section);
    return section;
}

void CProfileFile::Write(int section, const Key &key, QByteArrayView value)
{
    SectionEntry &s = m_sections[std::size_t(section)];
    QByteArray bytes;
    for (int32_t k = s.firstKey; k >= 0; k = m_keys[std::size_t(k)].next) {
        const KeyEntry &entry = m_keys[std::size_t(k)];
        if (entry.hash != key.m_hash)
            continue;
        QByteArrayView name;
        Classify(Text(entry.line), &name);
        if (FoldCase(name) != key.m_folded)
            continue;
        bytes.append(name).append('=');
        AppendOneLine(bytes, value);
        bytes.append(kLineBreak);
        // Rewriting a line with the bytes it has changes nothing: spare the memory.
        if (Bytes(entry.line) != bytes)
            SetBytes(entry.line, bytes);
        return;
    }
    bytes.append(key.m_name).append('=');
    AppendOneLine(bytes, value);
    bytes.append(kLineBreak);
    EnsureLineBreak(s.lastNonBlank);
    const int line = NewLine(bytes);
    InsertAfter(s.lastNonBlank, line);
    s.lastNonBlank = line;
    AddKey(s, key.m_hash, line);
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
