#include "exchange/phonebookreader.h"

#include "base/asciicase.h"
#include "exchange/clientcodepage.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr qsizetype kChunkSize = 1 << 20;

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");
constexpr QByteArrayView kUtf16LEMark("\xFF\xFE");
constexpr QByteArrayView kUtf16BEMark("\xFE\xFF");

const CClientCodePage &Utf8()
{
    static const CClientCodePage utf8(QStringLiteral("UTF-8"));
    return utf8;
}

bool IsLineEnd(char16_t unit)
{
    return unit == '\n' || unit == '\r';
}

// The first CR or LF in [p, end), or end. The hot loop of reading: eight
// bytes at a time where none of them is below 14.
const char *FindLineEnd(const char *p, const char *const end)
{
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = 0x8080808080808080;
    for (;;) {
        uint64_t word;
        while (end - p >= 8 && (std::memcpy(&word, p, 8), ((word - 14 * kOnes) & ~word & kHighBits) == 0))
            p += 8;
        for (const char *const stop = std::min(end, p + 8); p != stop; ++p)
            if (IsLineEnd(char16_t(uchar(*p))))
                return p;
        if (p == end)
            return end;
    }
}

} // namespace

CPhonebookEncoding::CPhonebookEncoding(QByteArrayView head, const CClientCodePage &clientCodePage)
    : m_clientCodePage(&clientCodePage)
{
    if (head.startsWith(kUtf16LEMark))
        m_form = Form::Utf16LE;
    else if (head.startsWith(kUtf16BEMark))
        m_form = Form::Utf16BE;
    else if (head.startsWith(kUtf8Mark))
        m_form = Form::Utf8Marked;
}

QByteArrayView CPhonebookEncoding::ByteOrderMark() const
{
    switch (m_form) {
    case Form::Utf8Marked:
        return kUtf8Mark;
    case Form::Utf16LE:
        return kUtf16LEMark;
    case Form::Utf16BE:
        return kUtf16BEMark;
    default:
        return {};
    }
}

const CClientCodePage &CPhonebookEncoding::TextCodePage() const
{
    return IsUtf16() ? Utf8() : *m_clientCodePage;
}

char16_t CPhonebookEncoding::Unit(QByteArrayView bytes, qsizetype at) const
{
    const auto low = uchar(bytes[at + (m_form == Form::Utf16LE ? 0 : 1)]);
    const auto high = uchar(bytes[at + (m_form == Form::Utf16LE ? 1 : 0)]);
    return char16_t(low | high << 8);
}

qsizetype CPhonebookEncoding::LineLength(QByteArrayView bytes, bool atEnd) const
{
    if (!IsUtf16()) {
        const char *const begin = bytes.data();
        const char *const end = begin + bytes.size();
        const char *const p = FindLineEnd(begin, end);
        if (p == end)
            return atEnd ? bytes.size() : -1;
        if (*p == '\n')
            return p + 1 - begin;
        if (p + 1 == end)
            return atEnd ? bytes.size() : -1;
        return p + (p[1] == '\n' ? 2 : 1) - begin;
    }
    for (qsizetype at = 0; at + 2 <= bytes.size(); at += 2) {
        const char16_t unit = Unit(bytes, at);
        if (unit == '\n')
            return at + 2;
        if (unit != '\r')
            continue;
        if (at + 4 <= bytes.size())
            return at + (Unit(bytes, at + 2) == '\n' ? 4 : 2);
        return atEnd ? at + 2 : -1;
    }
    // A last byte that is half a character is no part of any line.
    return atEnd ? bytes.size() & ~qsizetype(1) : -1;
}

QByteArrayView CPhonebookEncoding::Text(QByteArrayView line, QByteArray &scratch, bool *ended) const
{
    if (!IsUtf16()) {
        *ended = !line.isEmpty() && IsLineEnd(char16_t(line.back()));
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    }
    qsizetype units = line.size() / 2;
    *ended = units > 0 && IsLineEnd(Unit(line, units * 2 - 2));
    if (units > 0 && Unit(line, units * 2 - 2) == '\n')
        --units;
    if (units > 0 && Unit(line, units * 2 - 2) == '\r')
        --units;
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(Unit(line, i * 2));
    scratch = text.toUtf8();
    return scratch;
}

void CPhonebookEncoding::AppendFromClient(QByteArray &out, QByteArrayView text) const
{
    if (!IsUtf16() || IsAscii(text))
        out.append(text);
    else
        out.append(m_clientCodePage->ToUnicode(text).toUtf8());
}

void CPhonebookEncoding::AppendEncoded(QByteArray &out, QByteArrayView text) const
{
    if (!IsUtf16()) {
        out.append(text);
        return;
    }
    const QString units = QString::fromUtf8(text);
    const qsizetype start = out.size();
    out.resize(start + units.size() * 2);
    char *p = out.data() + start;
    for (const QChar c : units) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        *p++ = m_form == Form::Utf16LE ? low : high;
        *p++ = m_form == Form::Utf16LE ? high : low;
    }
}

CPhonebookReader::CPhonebookReader(QIODevice &file, const CClientCodePage &clientCodePage)
    : m_file(file), m_buffer(kChunkSize, Qt::Uninitialized), m_encoding(QByteArrayView(), clientCodePage)
{
    while (m_end < kUtf8Mark.size() && Fill()) {
    }
    m_encoding = CPhonebookEncoding(Unread(), clientCodePage);
    m_start = m_encoding.ByteOrderMark().size();
}

bool CPhonebookReader::Fill()
{
    if (m_atEnd)
        return false;
    if (m_start > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_start, std::size_t(m_end - m_start));
        m_end -= m_start;
        m_start = 0;
    }
    // A line longer than the buffer: it takes the whole line.
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const qint64 read = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (read <= 0) {
        m_atEnd = true;
        m_failed = read < 0;
        return false;
    }
    m_end += read;
    return true;
}

bool CPhonebookReader::Next(Line &line)
{
    qsizetype length;
    while ((length = m_encoding.LineLength(Unread(), m_atEnd)) < 0)
        Fill();
    if (length == 0 || m_failed)
        return false;
    line.bytes = Unread().first(length);
    line.text = m_encoding.Text(line.bytes, m_text, &line.ended);
    m_start += length;
    return true;
}

IniLine::Parsed ParsePhonebookLine(QByteArrayView text)
{
    IniLine::Parsed parsed = IniLine::Parse(text, ';');
    if (parsed.kind == IniLine::Kind::Header)
        parsed.name = parsed.name.trimmed();
    return parsed;
}
