#pragma once

#include <QByteArrayView>

#include <algorithm>

// Letter case as stored texts compare, sort and match: only ASCII letters
// have a case. Bytes of 0x80 and above, parts of UTF-8 sequences or
// characters of another code page, never change, so a text folds byte by
// byte whatever its encoding. Sort keys, profile names, Find and
// CompareTextNoCase all fold with these two.
constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
}

// Whether every byte is ASCII: such a text reads the same in every code
// page the client uses, and folds byte by byte.
inline bool IsAscii(QByteArrayView text)
{
    // No early exit: texts are short, and a loop without one is vectorised.
    unsigned char bits = 0;
    for (const char c : text)
        bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}
