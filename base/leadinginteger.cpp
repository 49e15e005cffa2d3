#include "base/leadinginteger.h"

#include <charconv>
#include <limits>

namespace {

bool IsAtoiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

LeadingInteger ReadLeadingInteger(std::string_view text)
{
    LeadingInteger number;
    std::size_t i = 0;
    while (i < text.size() && IsAtoiSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number.negative = text[i++] == '-';
    const char *digits = text.data() + i;
    const auto [end, error] = std::from_chars(digits, text.data() + text.size(), number.magnitude);
    number.hasDigits = end != digits;
    if (error == std::errc::result_out_of_range)
        number.magnitude = std::numeric_limits<uint64_t>::max();
    number.end = std::size_t(end - text.data());
    return number;
}
