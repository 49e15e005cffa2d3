#include "data/archive.h"

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>
#include <cstring>

void CArchiveReader::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    m_p = m_end;
    m_unread = 0;
}

bool CArchiveReader::NeedBeyondWindow(uint64_t bytes)
{
    if (!ok())
        return false;
    if (bytes > remaining()) {
        fail(QCoreApplication::translate("Archive", "the file ends in the middle of an entry"));
        return false;
    }
    return Fill(std::size_t(bytes));
}

bool CArchiveReader::Fill(std::size_t bytes)
{
    constexpr std::size_t kWindow = 1 << 20;
    const std::size_t kept = std::size_t(m_end - m_p);
    const std::size_t capacity = bytes > kWindow ? bytes : kWindow;
    if (m_window.size() < capacity) {
        std::vector<char> larger(capacity);
        std::copy(m_p, m_end, larger.data());
        m_window.swap(larger);
    } else {
        std::copy(m_p, m_end, m_window.data());
    }
    const qint64 wanted = qint64(std::min<uint64_t>(m_unread, m_window.size() - kept));
    qint64 got = 0;
    while (got < wanted) {
        const qint64 n = m_device->read(m_window.data() + kept + got, wanted - got);
        if (n <= 0)
            break;
        got += n;
    }
    m_p = m_window.data();
    m_end = m_p + kept + got;
    m_unread -= uint64_t(got);
    if (got < wanted) {
        fail(m_device->errorString().isEmpty()
                 ? QCoreApplication::translate("Archive", "the file became shorter while it was read")
                 : m_device->errorString());
        return false;
    }
    return true;
}

uint64_t CArchiveReader::ReadU64()
{
    const uint64_t low = ReadU32();
    const uint64_t high = ReadU32();
    return low | (high << 32);
}

uint64_t CArchiveReader::ReadLength(bool *utf16)
{
    *utf16 = false;
    const uint8_t b = ReadU8();
    if (b < 0xFF)
        return b;
    uint16_t w = ReadU16();
    if (w == 0xFFFE) {
        *utf16 = true;
        const uint8_t b2 = ReadU8();
        if (b2 < 0xFF)
            return b2;
        w = ReadU16();
    }
    if (w < 0xFFFF)
        return w;
    const uint32_t d = ReadU32();
    if (d < 0xFFFFFFFFu)
        return d;
    const uint64_t q = ReadU64();
    if (q > 0x7FFFFFFF) {
        fail(QCoreApplication::translate("Archive", "a text length is out of range"));
        return 0;
    }
    return q;
}

void CArchiveReader::ReadAnyText(CText &text)
{
    bool utf16 = false;
    const uint64_t n = ReadLength(&utf16);
    text = CText();
    if (!ok())
        return;
    const uint64_t bytes = utf16 ? n * 2 : n;
    if (!Need(bytes))
        return;
    const char *start = m_p;
    m_p += bytes;
    if (!utf16) {
        SetUpToZero(text, start, std::size_t(bytes));
        return;
    }
    QString s(qsizetype(n), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(s.data());
    const auto *in = reinterpret_cast<const unsigned char *>(start);
    for (uint64_t i = 0; i < n; ++i)
        out[i] = char16_t(in[2 * i] | (in[2 * i + 1] << 8));
    const qsizetype zero = s.indexOf(QChar(0));
    if (zero >= 0)
        s.truncate(zero);
    // The code page of this platform's locale is UTF-8.
    const QByteArray utf8 = s.toUtf8();
    text.SetInArena(utf8.constData(), std::size_t(utf8.size()));
}

void CArchiveWriter::WriteU16(uint16_t v)
{
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    WriteBytes(b, 2);
}

void CArchiveWriter::WriteU32(uint32_t v)
{
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    WriteBytes(b, 4);
}

void CArchiveWriter::WriteText(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        WriteU8(uint8_t(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(uint16_t(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(uint32_t(n));
    }
    WriteBytes(text.data(), n);
}

void CArchiveWriter::WriteBytes(const char *data, std::size_t size)
{
    m_buffer.append(data, size);
    MaybeFlush();
}

bool CArchiveWriter::Flush()
{
    if (!m_buffer.empty() && m_ok) {
        const qint64 written = m_device->write(m_buffer.data(), qint64(m_buffer.size()));
        m_ok = written == qint64(m_buffer.size());
    }
    m_buffer.clear();
    return m_ok;
}
