#include "exchange/profilefile.h"

#include "exchange/inilines.h"
#include "exchange/onelinetext.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

constexpr QByteArrayView kLineBreak("\r\n");
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// What a line is, and its section or key name.
IniLine::Kind Classify(QByteArrayView text, QByteArrayView *name)
{
    const IniLine::Parsed line = IniLine::Parse(text, ';');
    *name = line.name;
    return line.kind;
}

} // namespace

CProfileFile::Key::Key(QByteArrayView name) : m_name(OneLine(name)), m_folded(m_name)
{
}

namespace {

// Most lines are keys: no need to parse them all.
bool MayBeHeader(QByteArrayView text)
{
    const QByteArrayView trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed.front() == '[';
}

} // namespace

CProfileFile::CProfileFile(QByteArray contents, const CClientCodePage *sectionCodePage)
    : m_source(std::move(contents)), m_codePage(sectionCodePage)
{
    CFoldedName folded;
    for (qint64 offset = 0; offset < m_source.size(); offset = LineEnd(offset)) {
        const QByteArrayView text = Text(offset);
        QByteArrayView name;
        if (!MayBeHeader(text) || Classify(text, &name) != IniLine::Kind::Header)
            continue;
        folded.Set(name, m_codePage);
        if (FindSection(folded) >= 0)
            continue; // a repeated section is never written to
        m_sectionIndex.Insert(folded, int(m_headers.size()));
        m_headers.push_back(offset);
    }
    m_writtenOf.assign(m_headers.size(), -1);
    m_lastLine = LastLineStart();
}

qint64 CProfileFile::LineEnd(qint64 offset) const
{
    const char *data = m_source.constData();
    const void *lf = std::memchr(data + offset, '\n', std::size_t(m_source.size() - offset));
    return lf ? static_cast<const char *>(lf) - data + 1 : m_source.size();
}

QByteArrayView CProfileFile::Text(qint64 offset) const
{
    QByteArrayView text(m_source.constData() + offset, LineEnd(offset) - offset);
    if (text.endsWith('\n'))
        text.chop(1);
    if (offset == 0 && text.startsWith(kByteOrderMark))
        text = text.sliced(kByteOrderMark.size());
    return text;
}

qint64 CProfileFile::LastLineStart() const
{
    if (m_source.size() < 2)
        return m_source.isEmpty() ? -1 : 0;
    const qsizetype lf = m_source.lastIndexOf('\n', m_source.size() - 2);
    return lf < 0 ? 0 : lf + 1;
}

int CProfileFile::FindSection(const CFoldedName &name) const
{
    return m_sectionIndex.Find(name, [&](int section) {
        QByteArrayView header;
        Classify(Text(m_headers[std::size_t(section)]), &header);
        return MatchesFolded(header, name.folded(), m_codePage);
    });
}

CProfileFile::Span CProfileFile::AddLine(QByteArrayView name, QByteArrayView value)
{
    const qint64 start = m_lines.size();
    IniLine::AppendKeyLine(m_lines, name, value);
    m_lines.append(kLineBreak);
    return {start, m_lines.size() - start};
}

CProfileFile::WrittenSection &CProfileFile::Written(int section)
{
    int32_t &index = m_writtenOf[std::size_t(section)];
    if (index >= 0)
        return m_written[std::size_t(index)];
    index = int32_t(m_written.size());
    WrittenSection &w = m_written.emplace_back();
    w.header = m_headers[std::size_t(section)];
    ScanBody(w);
    return w;
}

// Finds where a file section's body ends, its last non-blank line and its
// first key lines. A section with more key lines is scanned again, from
// the first not remembered, for a key not among them.
void CProfileFile::ScanBody(WrittenSection &w) const
{
    qint64 offset = LineEnd(w.header);
    w.insertAt = offset;
    CFoldedName name;
    for (; offset < m_source.size(); offset = LineEnd(offset)) {
        QByteArrayView key;
        const IniLine::Kind kind = Classify(Text(offset), &key);
        if (kind == IniLine::Kind::Header)
            break;
        if (kind == IniLine::Kind::Blank)
            continue;
        w.insertAt = LineEnd(offset);
        if (kind != IniLine::Kind::Key)
            continue;
        if (w.keyLineCount < kRememberedKeyLines) {
            name.Set(key);
            w.keyLines[w.keyLineCount++] = {uint32_t(name.hash()), offset};
        } else if (w.scanFrom < 0) {
            w.scanFrom = offset;
        }
    }
    w.bodyEnd = offset;
}

// The first line of the section holding the key, or -1.
qint64 CProfileFile::FindKeyLine(const WrittenSection &w, const CFoldedName &key) const
{
    QByteArrayView name;
    for (std::size_t i = 0; i < w.keyLineCount; ++i) {
        const KeyLine &line = w.keyLines[i];
        if (line.hash == uint32_t(key.hash()) && Classify(Text(line.offset), &name) == IniLine::Kind::Key
            && MatchesFolded(name, key.folded()))
            return line.offset;
    }
    if (w.scanFrom < 0)
        return -1;
    for (qint64 offset = w.scanFrom; offset < w.bodyEnd; offset = LineEnd(offset))
        if (Classify(Text(offset), &name) == IniLine::Kind::Key && MatchesFolded(name, key.folded()))
            return offset;
    return -1;
}

bool CProfileFile::HoldsNothing() const
{
    return m_source.isEmpty() || m_source == kByteOrderMark;
}

QByteArray CProfileFile::SeparatorBeforeNewSection() const
{
    if (m_endsInOurLine)
        return kLineBreak.toByteArray();
    QByteArray separator;
    if (HoldsNothing())
        return separator;
    if (!m_source.endsWith('\n'))
        separator.append(kLineBreak);
    if (!Text(m_lastLine).trimmed().isEmpty())
        separator.append(kLineBreak);
    return separator;
}

void CProfileFile::Write(int section, const Key &key, QByteArrayView value)
{
    WrittenSection &w = Written(section);
    for (KeyPlace &place : w.keys) {
        if (place.folded != key.m_folded.folded())
            continue;
        // The line keeps its spelling of the name.
        const Span old = place.line;
        const QByteArray name = Bytes(old).first(Bytes(old).indexOf('=')).toByteArray();
        place.line = AddLine(name, value);
        if (place.fileLine < 0)
            for (Span &added : w.added)
                if (added.offset == old.offset)
                    added = place.line;
        return;
    }
    KeyPlace &place = w.keys.emplace_back();
    place.folded = key.m_folded.folded();
    place.fileLine = FindKeyLine(w, key.m_folded);
    if (place.fileLine >= 0) {
        QByteArrayView name;
        Classify(Text(place.fileLine), &name);
        place.line = AddLine(name, value);
        m_endsInOurLine = m_endsInOurLine || place.fileLine == m_lastLine;
        return;
    }
    place.line = AddLine(key.m_name, value);
    w.added.push_back(place.line);
    if (w.insertAt == m_source.size()) {
        m_endsInOurLine = true;
        m_breakLastLine = m_breakLastLine || !m_source.endsWith('\n');
    }
}

// The file goes out in pieces: stretches of the file's bytes between the
// lines written, and the lines written.
bool CProfileFile::WriteTo(QIODevice &device) const
{
    auto sink = [&device](QByteArrayView run) { return device.write(run.data(), run.size()) == run.size(); };

    // Sections lie apart in the file: in file order, each one's rewritten
    // lines in order, then the lines added after its last non-blank line.
    std::vector<const WrittenSection *> sections;
    sections.reserve(m_written.size());
    for (const WrittenSection &w : m_written)
        sections.push_back(&w);
    std::sort(sections.begin(), sections.end(),
              [](const WrittenSection *a, const WrittenSection *b) { return a->header < b->header; });

    const qint64 size = m_source.size();
    qint64 pos = 0;
    bool lastLineRewritten = false;
    auto copyTo = [&](qint64 end) { return end <= pos || sink(QByteArrayView(m_source.constData() + pos, end - pos)); };
    std::vector<const KeyPlace *> rewritten;
    for (const WrittenSection *w : sections) {
        rewritten.clear();
        for (const KeyPlace &place : w->keys)
            if (place.fileLine >= 0)
                rewritten.push_back(&place);
        std::sort(rewritten.begin(), rewritten.end(),
                  [](const KeyPlace *a, const KeyPlace *b) { return a->fileLine < b->fileLine; });
        for (const KeyPlace *place : rewritten) {
            if (!copyTo(place->fileLine) || !sink(Bytes(place->line)))
                return false;
            pos = LineEnd(place->fileLine);
            lastLineRewritten = lastLineRewritten || place->fileLine == m_lastLine;
        }
        if (w->added.empty())
            continue;
        if (!copyTo(w->insertAt))
            return false;
        pos = std::max(pos, w->insertAt);
        if (pos == size && m_breakLastLine && !lastLineRewritten && !sink(kLineBreak))
            return false;
        for (const Span &line : w->added)
            if (!sink(Bytes(line)))
                return false;
    }
    return copyTo(size);
}
