#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QSysInfo>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

// A byte string in the user's code page, kept exactly as read or typed.
//
// Records hold eight of these and a list may hold a million records, so a
// text takes seven bytes: up to six bytes of text sit in it, longer texts in
// a block of their own on the heap or, when read from a file, in the record
// arena (data/recordarena.h), where copies share the bytes. A record's eight
// texts and four flags take 72 bytes.
class CText
{
public:
    static constexpr std::size_t kInlineCapacity = 6;

    CText() noexcept { store(kEmpty); }
    CText(const char *data, std::size_t size) { assign(data, size); }
    CText(std::string_view s) { assign(s.data(), s.size()); }
    CText(const char *s) { assign(s, s ? std::strlen(s) : 0); }
    CText(const QByteArray &s) { assign(s.constData(), std::size_t(s.size())); }
    CText(const CText &other);
    CText(CText &&other) noexcept
    {
        store(other.word());
        other.store(kEmpty);
    }
    ~CText()
    {
        if (!(word() & kInlineBit))
            releaseBytes();
    }

    // Becomes `size` bytes at `data`, placed in the record arena: for the
    // texts of records read in bulk, which live as long as their records.
    void SetInArena(const char *data, std::size_t size)
    {
        release();
        if (!assignInline(data, size))
            assignInArena(data, size);
    }

    CText &operator=(const CText &other)
    {
        if (this != &other) {
            CText copy(other);
            swap(copy);
        }
        return *this;
    }
    CText &operator=(CText &&other) noexcept
    {
        if (this != &other) {
            release();
            store(other.word());
            other.store(kEmpty);
        }
        return *this;
    }

    void swap(CText &other) noexcept
    {
        const uint64_t mine = word();
        store(other.word());
        other.store(mine);
    }

    std::size_t size() const noexcept
    {
        const uint64_t w = word();
        if (w & kInlineBit)
            return std::size_t(w >> kInlineSizeShift) & 7;
        const std::size_t size = std::size_t(w >> kSizeShift) & kSizeMask;
        return size == kLongSize ? longSize(w) : size;
    }
    bool isEmpty() const noexcept { return word() == kEmpty; }

    const char *data() const noexcept
    {
        const uint64_t w = word();
        return (w & kInlineBit) ? reinterpret_cast<const char *>(m_bytes) : pointer(w);
    }

    std::string_view view() const noexcept { return std::string_view(data(), size()); }
    QByteArrayView bytes() const noexcept { return QByteArrayView(data(), qsizetype(size())); }
    QByteArray toByteArray() const { return QByteArray(data(), qsizetype(size())); }
    // As the user reads it: UTF-8, or else Windows-1252 (see StoredText).
    QString toQString() const;

    friend bool operator==(const CText &a, const CText &b) noexcept { return a.view() == b.view(); }
    friend bool operator!=(const CText &a, const CText &b) noexcept { return !(a == b); }
    friend bool operator==(const CText &a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator!=(const CText &a, std::string_view b) noexcept { return a.view() != b; }

    // Removes `front` bytes at the start and `back` bytes at the end.
    void chop(std::size_t front, std::size_t back);

private:
    // The seven bytes hold a 56-bit word, low byte first. Inline: the top
    // bit set, the size in the three bits below, the bytes in the low six
    // bytes (the first in memory). Otherwise the low 48 bits point to the
    // bytes, kArenaBit says where they live, and six bits hold the size, or
    // kLongSize when it is kept in the four bytes before them.
    static constexpr int kBytes = 7;
    static constexpr uint64_t kInlineBit = uint64_t(1) << 55;
    static constexpr int kInlineSizeShift = 52;
    static constexpr uint64_t kEmpty = kInlineBit;
    static constexpr uint64_t kArenaBit = uint64_t(1) << 54;
    static constexpr int kSizeShift = 48;
    static constexpr std::size_t kSizeMask = 0x3F;
    static constexpr std::size_t kLongSize = kSizeMask;
    static constexpr uint64_t kPointerMask = (uint64_t(1) << kSizeShift) - 1;

    // As two overlapping four-byte moves, which stay in registers.
    uint64_t word() const noexcept
    {
        uint32_t low, high;
        std::memcpy(&low, m_bytes, 4);
        std::memcpy(&high, m_bytes + 3, 4);
        return low | (uint64_t(high >> 8) << 32);
    }
    void store(uint64_t w) noexcept
    {
        const auto low = uint32_t(w);
        const auto high = uint32_t(w >> 24);
        std::memcpy(m_bytes + 3, &high, 4);
        std::memcpy(m_bytes, &low, 4);
    }
    static const char *pointer(uint64_t w) noexcept { return reinterpret_cast<const char *>(uintptr_t(w & kPointerMask)); }
    static std::size_t longSize(uint64_t w) noexcept
    {
        uint32_t size;
        std::memcpy(&size, pointer(w) - sizeof size, sizeof size);
        return size;
    }
    // True when the text fits the seven bytes, which then hold it.
    bool assignInline(const char *data, std::size_t size) noexcept
    {
        if (size > kInlineCapacity)
            return false;
        uint64_t bytes = 0;
        for (std::size_t i = 0; i < size; ++i)
            bytes |= uint64_t(uint8_t(data[i])) << (8 * i);
        store(kInlineBit | (uint64_t(size) << kInlineSizeShift) | bytes);
        return true;
    }
    // Out of line: `bytes` (with room for the size before them when long).
    void assignPointer(char *bytes, std::size_t size, uint64_t where) noexcept
    {
        uint64_t sizeField = size;
        if (size >= kLongSize) {
            const auto longSize = uint32_t(size);
            std::memcpy(bytes - sizeof longSize, &longSize, sizeof longSize);
            sizeField = kLongSize;
        }
        store(uint64_t(reinterpret_cast<uintptr_t>(bytes)) | (sizeField << kSizeShift) | where);
    }
    void assign(const char *data, std::size_t size);
    void assignInArena(const char *data, std::size_t size);
    void release() noexcept
    {
        if (!(word() & kInlineBit))
            releaseBytes();
        store(kEmpty);
    }
    void releaseBytes() noexcept;

    unsigned char m_bytes[kBytes];
};

static_assert(sizeof(CText) == 7, "CText must stay seven bytes");
static_assert(QSysInfo::ByteOrder == QSysInfo::LittleEndian, "inline texts need the low bytes first");

// `text` without the characters of code 32 or less at either end (blank,
// tab, line breaks and the other control characters). The country list and
// Find trim this way; a record's own trimming removes white space only.
std::string_view TrimControls(std::string_view text);

