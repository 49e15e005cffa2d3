#include "data/text.h"

#include "data/storedtext.h"

#include <stdexcept>

void CText::assign(const char *data, std::size_t size)
{
    if (size > UINT32_MAX)
        throw std::length_error("text too long");
    m_size = uint32_t(size);
    if (size <= kInlineCapacity) {
        if (size)
            std::memcpy(m_inline, data, size);
        return;
    }
    char *p = new char[size];
    std::memcpy(p, data, size);
    setHeapPointer(p);
}

void CText::chop(std::size_t front, std::size_t back)
{
    if (front == 0 && back == 0)
        return;
    const std::size_t remaining = front + back >= m_size ? 0 : m_size - front - back;
    CText shorter(data() + front, remaining);
    swap(shorter);
}

std::string_view TrimControls(std::string_view text)
{
    while (!text.empty() && (unsigned char)text.front() <= 32)
        text.remove_prefix(1);
    while (!text.empty() && (unsigned char)text.back() <= 32)
        text.remove_suffix(1);
    return text;
}

int DecodeUtf8(const unsigned char *p, const unsigned char *end, char32_t *cp)
{
    const unsigned char c = *p;
    if (c < 0x80) {
        *cp = c;
        return 1;
    }
    const int length = c >= 0xF8 ? 0 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || end - p < length)
        return 0;
    char32_t value = c & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *cp = value;
    return length;
}

char *EncodeUtf8(char32_t cp, char *out)
{
    if (cp < 0x80) {
        *out++ = char(cp);
    } else if (cp < 0x800) {
        *out++ = char(0xC0 | (cp >> 6));
        *out++ = char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = char(0xE0 | (cp >> 12));
        *out++ = char(0x80 | ((cp >> 6) & 0x3F));
        *out++ = char(0x80 | (cp & 0x3F));
    } else {
        *out++ = char(0xF0 | (cp >> 18));
        *out++ = char(0x80 | ((cp >> 12) & 0x3F));
        *out++ = char(0x80 | ((cp >> 6) & 0x3F));
        *out++ = char(0x80 | (cp & 0x3F));
    }
    return out;
}

QString CText::toQString() const
{
    return StoredText::ToString(bytes());
}
