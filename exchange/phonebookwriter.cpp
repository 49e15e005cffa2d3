#include "exchange/phonebookwriter.h"

#include "exchange/inilines.h"
#include "exchange/onelinetext.h"
#include "exchange/phonebookreader.h"

#include <QIODevice>

namespace {

constexpr qsizetype kChunkSize = 1 << 20;
constexpr QByteArrayView kLineEnd("\r\n");

} // namespace

CPhonebookWriter::CPhonebookWriter(QIODevice &out, const CPhonebookEncoding &encoding)
    : m_out(out), m_encoding(encoding)
{
    m_chunk.reserve(kChunkSize + 4096);
    m_chunk.append(encoding.ByteOrderMark());
}

void CPhonebookWriter::Copy(QByteArrayView lines, bool ended, bool blank)
{
    if (lines.isEmpty())
        return;
    m_chunk.append(lines);
    m_empty = false;
    m_lineOpen = !ended;
    m_lastBlank = blank;
    FlushIfFull();
}

QByteArray &CPhonebookWriter::BeginLine()
{
    if (m_lineOpen)
        m_encoding.AppendEncoded(m_chunk, kLineEnd);
    if (!m_encoding.IsUtf16())
        return m_chunk;
    m_line.resize(0);
    return m_line;
}

void CPhonebookWriter::EndLine(bool blank)
{
    if (m_encoding.IsUtf16()) {
        m_line.append(kLineEnd);
        m_encoding.AppendEncoded(m_chunk, m_line);
    } else {
        m_chunk.append(kLineEnd);
    }
    m_empty = false;
    m_lineOpen = false;
    m_lastBlank = blank;
    FlushIfFull();
}

void CPhonebookWriter::WriteKeyLine(QByteArrayView name, QByteArrayView value)
{
    IniLine::AppendKeyLine(BeginLine(), name, value);
    EndLine(false);
}

void CPhonebookWriter::WriteHeader(QByteArrayView name)
{
    QByteArray &line = BeginLine();
    line.append('[');
    AppendOneLine(line, name);
    line.append(']');
    EndLine(false);
}

void CPhonebookWriter::SeparateNewSection()
{
    if (m_empty)
        return;
    if (m_lineOpen) {
        m_encoding.AppendEncoded(m_chunk, kLineEnd);
        m_lineOpen = false;
    }
    if (!m_lastBlank) {
        BeginLine();
        EndLine(true);
    }
}

void CPhonebookWriter::FlushIfFull()
{
    if (m_chunk.size() < kChunkSize)
        return;
    m_failed = m_failed || m_out.write(m_chunk) != m_chunk.size();
    m_chunk.resize(0); // keeps the capacity for the next chunk
}

bool CPhonebookWriter::Finish()
{
    m_failed = m_failed || m_out.write(m_chunk) != m_chunk.size();
    m_chunk.resize(0);
    return !m_failed;
}
