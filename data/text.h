#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstring>
#include <string_view>

// A byte string in the user's code page, kept exactly as read or typed.
//
// Records hold eight of these and a list may hold a million records, so the
// type is compact: 24 bytes, with texts of up to 20 bytes stored inline and
// longer ones in one heap block. Most fields of a record (country, code,
// short name, address, contact, e-mail, ID) fit inline.
class CText
{
public:
    static constexpr uint32_t kInlineCapacity = 20;

    CText() noexcept { m_size = 0; }
    CText(const char *data, std::size_t size) { assign(data, size); }
    CText(std::string_view s) { assign(s.data(), s.size()); }
    CText(const char *s) { assign(s, s ? std::strlen(s) : 0); }
    CText(const QByteArray &s) { assign(s.constData(), std::size_t(s.size())); }
    CText(const CText &other) { assign(other.data(), other.size()); }
    CText(CText &&other) noexcept { takeFrom(other); }
    ~CText() { release(); }

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
            takeFrom(other);
        }
        return *this;
    }

    void swap(CText &other) noexcept
    {
        // The representation is position-independent: swapping the raw
        // bytes swaps the texts, heap pointer included.
        unsigned char tmp[sizeof(CText)];
        std::memcpy(tmp, static_cast<void *>(this), sizeof tmp);
        std::memcpy(static_cast<void *>(this), static_cast<const void *>(&other), sizeof tmp);
        std::memcpy(static_cast<void *>(&other), tmp, sizeof tmp);
    }

    std::size_t size() const noexcept { return m_size; }
    bool isEmpty() const noexcept { return m_size == 0; }

    const char *data() const noexcept
    {
        return isInline() ? m_inline : heapPointer();
    }

    std::string_view view() const noexcept { return std::string_view(data(), m_size); }
    QByteArrayView bytes() const noexcept { return QByteArrayView(data(), qsizetype(m_size)); }
    QByteArray toByteArray() const { return QByteArray(data(), qsizetype(m_size)); }
    // As the user reads it: UTF-8, or else Windows-1252 (see StoredText).
    QString toQString() const;

    friend bool operator==(const CText &a, const CText &b) noexcept { return a.view() == b.view(); }
    friend bool operator!=(const CText &a, const CText &b) noexcept { return !(a == b); }
    friend bool operator==(const CText &a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator!=(const CText &a, std::string_view b) noexcept { return a.view() != b; }

    // Removes `front` bytes at the start and `back` bytes at the end.
    void chop(std::size_t front, std::size_t back);

private:
    void takeFrom(CText &other) noexcept
    {
        std::memcpy(static_cast<void *>(this), static_cast<const void *>(&other), sizeof(CText));
        other.m_size = 0;
    }
    void assign(const char *data, std::size_t size);
    void release() noexcept
    {
        if (!isInline())
            delete[] heapPointer();
        m_size = 0;
    }
    bool isInline() const noexcept { return m_size <= kInlineCapacity; }
    char *heapPointer() const noexcept
    {
        char *p;
        std::memcpy(&p, m_inline + 4, sizeof p);
        return p;
    }
    void setHeapPointer(char *p) noexcept { std::memcpy(m_inline + 4, &p, sizeof p); }

    // Inline texts use all 20 bytes; heap texts keep their pointer at an
    // 8-byte aligned offset within the same storage.
    uint32_t m_size;
    char m_inline[kInlineCapacity];
};

static_assert(sizeof(CText) == 24, "CText must stay compact");

// `text` without the characters of code 32 or less at either end (blank,
// tab, line breaks and the other control characters). The country list and
// Find trim this way; a record's own trimming removes white space only.
std::string_view TrimControls(std::string_view text);

