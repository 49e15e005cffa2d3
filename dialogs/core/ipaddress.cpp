#include "dialogs/core/ipaddress.h"

#include "base/leadinginteger.h"

namespace {

constexpr int kMaxPieceValue = 255;
constexpr int kPieceCount = 4;

} // namespace

bool IsValidIPAddress(std::string_view text)
{
    int pieces = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '.') {
            ++pos;
            continue;
        }
        const std::size_t end = text.find('.', pos);
        const std::string_view piece = text.substr(pos, end == std::string_view::npos ? text.npos : end - pos);
        // As atoi reads the piece: a negative number passes.
        const LeadingInteger value = ReadLeadingInteger(piece);
        if (!value.negative && value.magnitude > kMaxPieceValue)
            return false;
        ++pieces;
        pos += piece.size();
    }
    return pieces == kPieceCount;
}
