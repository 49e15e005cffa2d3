#include "data/text.h"

#include "data/recordarena.h"
#include "data/storedtext.h"

#include <new>
#include <stdexcept>

namespace {

constexpr std::size_t kSizePrefix = sizeof(uint32_t);

} // namespace

CText::CText(const CText &other)
{
    const uint64_t w = other.word();
    store(w);
    if (w & kInlineBit)
        return;
    if (w & kArenaBit)
        RecordArena::Retain(pointer(w));
    else
        assign(other.data(), other.size());
}

void CText::assignInArena(const char *data, std::size_t size)
{
    if (size + kSizePrefix > RecordArena::kMaxBytes) {
        assign(data, size);
        return;
    }
    const std::size_t prefix = size >= kLongSize ? kSizePrefix : 0;
    char *bytes = RecordArena::AllocateBytes(prefix + size) + prefix;
    std::memcpy(bytes, data, size);
    assignPointer(bytes, size, kArenaBit);
}

void CText::assign(const char *data, std::size_t size)
{
    if (size > UINT32_MAX)
        throw std::length_error("text too long");
    if (assignInline(data, size))
        return;
    const std::size_t prefix = size >= kLongSize ? kSizePrefix : 0;
    char *block = new char[prefix + size];
    char *bytes = block + prefix;
    if (uint64_t(reinterpret_cast<uintptr_t>(bytes)) > kPointerMask) {
        delete[] block;
        throw std::bad_alloc();
    }
    std::memcpy(bytes, data, size);
    assignPointer(bytes, size, 0);
}

void CText::releaseBytes() noexcept
{
    const uint64_t w = word();
    const std::size_t length = size();
    const std::size_t prefix = length >= kLongSize ? kSizePrefix : 0;
    if (w & kArenaBit)
        RecordArena::Release(pointer(w) - prefix);
    else
        delete[] (pointer(w) - prefix);
}

void CText::chop(std::size_t front, std::size_t back)
{
    if (front == 0 && back == 0)
        return;
    const std::size_t length = size();
    const std::size_t remaining = front + back >= length ? 0 : length - front - back;
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
