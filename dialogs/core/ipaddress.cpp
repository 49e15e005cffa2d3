#include "dialogs/core/ipaddress.h"

namespace {

constexpr int kMaxPieceValue = 255;
constexpr int kPieceCount = 4;

bool isAtoiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The piece's value as atoi reads it, except that a long run of digits
// stops growing once it is above the largest valid value: it must count as
// too large, never wrap around into a small number.
long pieceValue(std::string_view piece)
{
    std::size_t i = 0;
    while (i < piece.size() && isAtoiSpace(piece[i]))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '+' || piece[i] == '-'))
        negative = piece[i++] == '-';
    long value = 0;
    for (; i < piece.size() && isDigit(piece[i]); ++i) {
        value = value * 10 + (piece[i] - '0');
        if (value > kMaxPieceValue)
            value = kMaxPieceValue + 1;
    }
    return negative ? -value : value;
}

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
        if (pieceValue(piece) > kMaxPieceValue)
            return false;
        ++pieces;
        pos += piece.size();
    }
    return pieces == kPieceCount;
}
