#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The number at the start of a text as C's atoi reads it: white space, an
// optional sign, then decimal digits up to the first other character.
// Addresses and the numbers kept in the settings store are read this way,
// as the Windows program read them.
struct LeadingInteger {
    bool negative = false;
    bool hasDigits = false;
    // Saturates instead of wrapping around, so that a long run of digits
    // always counts as too large.
    uint64_t magnitude = 0;
    std::size_t end = 0; // where the digits end
};

LeadingInteger ReadLeadingInteger(std::string_view text);
