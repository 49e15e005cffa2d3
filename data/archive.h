#pragma once

#include "data/text.h"

#include <QString>

#include <cstdint>
#include <cstring>
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

    uint8_t ReadU8() { return uint8_t(ReadLittleEndian(1)); }
    uint16_t ReadU16() { return uint16_t(ReadLittleEndian(2)); }
    uint32_t ReadU32() { return uint32_t(ReadLittleEndian(4)); }
    uint64_t ReadU64();
    // Reads a length-prefixed text in any form the format allows, UTF-16
    // included (converted to the code page), into `text`. A text is cut at a
    // zero byte. Its bytes go to the record arena: texts are read for records.
    void ReadText(CText &text)
    {
        // The common case, a short text already in the window, without a
        // call: a million records are eight million texts.
        if (m_p != m_end) {
            const auto length = std::size_t(uint8_t(*m_p));
            if (length < 0xFF && length < std::size_t(m_end - m_p)) {
                const char *bytes = m_p + 1;
                m_p = bytes + length;
                SetUpToZero(text, bytes, length);
                return;
            }
        }
        ReadAnyText(text);
    }

    // Counts and lengths are checked against what is left of the file
    // before anything is allocated for them.
    bool Need(uint64_t bytes) { return bytes <= uint64_t(m_end - m_p) || NeedBeyondWindow(bytes); }

private:
    uint64_t ReadLittleEndian(std::size_t bytes)
    {
        if (!Need(bytes))
            return 0;
        const auto *b = reinterpret_cast<const unsigned char *>(m_p);
        m_p += bytes;
        uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value |= uint64_t(b[i]) << (8 * i);
        return value;
    }
    static void SetUpToZero(CText &text, const char *bytes, std::size_t length)
    {
        // A text short enough to sit in the record is searched in place.
        std::size_t end = 0;
        if (length <= CText::kInlineCapacity) {
            while (end < length && bytes[end])
                ++end;
        } else {
            const void *zero = std::memchr(bytes, 0, length);
            end = zero ? std::size_t(static_cast<const char *>(zero) - bytes) : length;
        }
        text.SetInArena(bytes, end);
    }
    void ReadAnyText(CText &text);
    bool NeedBeyondWindow(uint64_t bytes);
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
