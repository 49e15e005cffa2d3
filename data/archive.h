#pragma once

#include "data/text.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QIODevice;

// Little-endian reader over the bytes of a database file. Every read is
// bounds-checked; the first failure sets the error, and every later read
// answers zero or empty, so a caller checks ok() once per record.
class CArchiveReader
{
public:
    CArchiveReader(const char *data, std::size_t size) : m_p(data), m_end(data + size) {}
    // Reads `size` bytes from `device` through a window, so that a large
    // file never needs a copy of its own in memory.
    CArchiveReader(QIODevice *device, uint64_t size) : m_p(nullptr), m_end(nullptr), m_device(device), m_unread(size) {}

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    void fail(const QString &why);

    uint64_t remaining() const { return uint64_t(m_end - m_p) + m_unread; }

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    uint64_t ReadU64();
    // Length-prefixed text in any form the format allows, UTF-16 included
    // (converted to the code page). A text is cut at a zero byte.
    CText ReadText();

    // Counts and lengths are checked against what is left of the file
    // before anything is allocated for them.
    bool Need(uint64_t bytes);

private:
    uint64_t ReadLength(bool *utf16);
    // Brings the next `bytes` (no more than remaining()) into the window.
    bool Fill(std::size_t bytes);

    const char *m_p;
    const char *m_end;
    QIODevice *m_device = nullptr;
    uint64_t m_unread = 0; // bytes of the device not yet in the window
    std::vector<char> m_window;
    QString m_error;
};

// Little-endian writer that buffers and hands full blocks to a device.
class CArchiveWriter
{
public:
    explicit CArchiveWriter(QIODevice *device) : m_device(device) {}
    ~CArchiveWriter() { Flush(); }

    void WriteU8(uint8_t v) { m_buffer.push_back(char(v)); MaybeFlush(); }
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    // Length-prefixed text in the shortest of the three single-byte forms.
    void WriteText(std::string_view text);
    void WriteBytes(const char *data, std::size_t size);

    // Hands the buffer to the device; false once any write failed.
    bool Flush();
    bool ok() const { return m_ok; }

private:
    void MaybeFlush()
    {
        if (m_buffer.size() >= kBlock)
            Flush();
    }
    static constexpr std::size_t kBlock = 1 << 20;

    QIODevice *m_device;
    std::string m_buffer;
    bool m_ok = true;
};
