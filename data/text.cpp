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

QString CText::toQString() const
{
    return StoredText::ToString(bytes());
}
