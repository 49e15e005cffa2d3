#include "exchange/textlines.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QStringDecoder>

#include <cstring>

namespace {

// Small enough to stay in the heap: a window of a megabyte or more would be
// mapped apart, and freeing it makes the allocator keep far more freed
// memory from then on. Reading 125 MB takes no longer.
constexpr qsizetype kWindow = 1 << 16;

} // namespace

bool HasUtf16Mark(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

bool DecodeUtf16(QByteArrayView bytes, QString *text, QString *error)
{
    // Qt's decoder would drop a byte left over at the end without a word.
    if (bytes.size() % 2) {
        *error = QCoreApplication::translate("Import", "the text is not valid UTF-16: it has an odd number of bytes");
        return false;
    }
    *text = QStringDecoder(QStringDecoder::Utf16).decode(bytes);
    return true;
}

CTextLines::CTextLines(QIODevice &device) : m_device(&device)
{
}

CTextLines::CTextLines(QByteArray text) : m_buffer(std::move(text)), m_atEnd(true)
{
}

bool CTextLines::Fill()
{
    if (m_atEnd || !m_error.isEmpty())
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + kWindow);
    const qint64 read = m_device->read(m_buffer.data() + kept, kWindow);
    if (read < 0) {
        m_error = m_device->errorString();
        m_buffer.resize(kept);
        return false;
    }
    m_buffer.resize(kept + qsizetype(read));
    if (read == 0)
        m_atEnd = true;
    return read > 0;
}

void CTextLines::TakeByteOrderMark()
{
    m_started = true;
    // Enough bytes to see a mark.
    while (m_buffer.size() - m_pos < 3 && Fill()) {
    }
    if (m_buffer.startsWith("\xEF\xBB\xBF")) {
        m_pos = 3;
        return;
    }
    if (!HasUtf16Mark(m_buffer))
        return;
    while (Fill()) {
    }
    QString text;
    if (DecodeUtf16(m_buffer, &text, &m_error))
        m_buffer = text.toUtf8();
    m_pos = 0;
}

bool CTextLines::Next(QByteArrayView *line)
{
    if (!m_started)
        TakeByteOrderMark();
    if (!m_error.isEmpty())
        return false;
    const char *newline = nullptr;
    while (!m_noLineFeed) {
        newline = static_cast<const char *>(
            std::memchr(m_buffer.constData() + m_pos, '\n', std::size_t(m_buffer.size() - m_pos)));
        if (newline)
            break;
        if (!Fill()) {
            // Lines that end in CR alone: no need to look for an LF again.
            m_noLineFeed = m_error.isEmpty();
            break;
        }
    }
    if (!m_error.isEmpty())
        return false;
    const char *begin = m_buffer.constData() + m_pos;
    const char *end = newline ? newline : m_buffer.constData() + m_buffer.size();
    if (!newline && begin == end)
        return false;
    const char *next = newline ? newline + 1 : end;
    // A CR ends the line too: before the LF (CR LF), or alone.
    if (const char *cr = static_cast<const char *>(std::memchr(begin, '\r', std::size_t(end - begin)))) {
        next = (cr + 1 == end && newline) ? newline + 1 : cr + 1;
        end = cr;
    }
    *line = QByteArrayView(begin, end - begin);
    m_pos = next - m_buffer.constData();
    ++m_lineNumber;
    return true;
}
