#include "exchange/phonebookwriter.h"

#include "exchange/onelinetext.h"
#include "exchange/phonebookreader.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qsizetype kChunkSize = 1 << 20;
constexpr QByteArrayView kLineEnd("\r\n");

char *CopyBytes(char *out, QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        std::memcpy(out, bytes.data(), std::size_t(bytes.size()));
    return out + bytes.size();
}

} // namespace

CPhonebookWriter::CPhonebookWriter(QIODevice &out, const CPhonebookEncoding &encoding)
    : m_out(out), m_encoding(encoding), m_chunk(new char[kChunkSize]), m_capacity(kChunkSize)
{
    Put(encoding.ByteOrderMark());
}

char *CPhonebookWriter::Room(qsizetype size)
{
    if (m_used + size > m_capacity)
        Flush();
    if (size > m_capacity) {
        m_chunk.reset(new char[std::size_t(size)]);
        m_capacity = size;
    }
    return m_chunk.get() + m_used;
}

void CPhonebookWriter::Flush()
{
    m_failed = m_failed || m_out.write(m_chunk.get(), m_used) != m_used;
    m_used = 0;
}

void CPhonebookWriter::Put(QByteArrayView bytes)
{
    if (bytes.size() <= m_capacity) {
        m_used = CopyBytes(Room(bytes.size()), bytes) - m_chunk.get();
        return;
    }
    // A line longer than the chunk goes straight out, not through a copy.
    Flush();
    m_failed = m_failed || m_out.write(bytes.data(), bytes.size()) != bytes.size();
}

void CPhonebookWriter::Copy(QByteArrayView lines, bool ended, bool blank)
{
    if (lines.isEmpty())
        return;
    Put(lines);
    m_empty = false;
    m_lineOpen = !ended;
    m_lastBlank = blank;
}

char *CPhonebookWriter::BeginLine(qsizetype size)
{
    CloseLine();
    if (!m_encoding.IsUtf16())
        return Room(size + kLineEnd.size());
    m_line.resize(size + kLineEnd.size());
    return m_line.data();
}

void CPhonebookWriter::EndLine(char *end, bool blank)
{
    end = CopyBytes(end, kLineEnd);
    if (m_encoding.IsUtf16()) {
        m_encoded.resize(0);
        m_encoding.AppendEncoded(m_encoded, m_line);
        Put(m_encoded);
    } else {
        m_used = end - m_chunk.get();
    }
    m_empty = false;
    m_lineOpen = false;
    m_lastBlank = blank;
}

void CPhonebookWriter::CloseLine()
{
    if (!m_lineOpen)
        return;
    m_lineOpen = false;
    EndLine(BeginLine(0), m_lastBlank);
}

void CPhonebookWriter::WriteKeyLine(QByteArrayView name, QByteArrayView value)
{
    char *p = CopyBytes(BeginLine(name.size() + 1 + value.size()), name);
    *p++ = '=';
    EndLine(CopyOneLine(p, value), false);
}

void CPhonebookWriter::WriteHeader(QByteArrayView name)
{
    char *p = BeginLine(name.size() + 2);
    *p++ = '[';
    p = CopyOneLine(p, name);
    *p++ = ']';
    EndLine(p, false);
}

void CPhonebookWriter::SeparateNewSection()
{
    if (m_empty)
        return;
    CloseLine();
    if (!m_lastBlank)
        EndLine(BeginLine(0), true);
}

bool CPhonebookWriter::Finish()
{
    Flush();
    return !m_failed;
}
