#include "data/storedtext.h"

#include <QStringDecoder>

namespace {

// Windows-1252's bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar *Windows1252Into(QByteArrayView bytes, QChar *out)
{
    for (char c : bytes)
        *out++ = QChar(char16_t(StoredText::Windows1252Character((unsigned char)c)));
    return out;
}

} // namespace

namespace StoredText {

bool IsUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

char32_t Windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

unsigned char Windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return (unsigned char)character;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == character)
            return (unsigned char)(0x80 + i);
    return 0;
}

QString ToString(QByteArrayView bytes)
{
    return IsUtf8(bytes) ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
}

QChar *DecodeInto(QByteArrayView bytes, QChar *out)
{
    if (!IsUtf8(bytes))
        return Windows1252Into(bytes, out);
    // As QString::fromUtf8 reads it: a byte order mark is a character too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.appendToBuffer(out, bytes);
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    Windows1252Into(bytes, text.data());
    return text;
}

void AppendUtf8(QByteArray &out, QByteArrayView bytes)
{
    if (IsUtf8(bytes)) {
        out.append(bytes);
        return;
    }
    out.append(FromWindows1252(bytes).toUtf8());
}

QByteArray ToUtf8(QByteArrayView bytes)
{
    QByteArray utf8;
    AppendUtf8(utf8, bytes);
    return utf8;
}

} // namespace StoredText
