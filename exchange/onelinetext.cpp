#include "exchange/onelinetext.h"

#include <cstring>

void AppendOneLine(QByteArray &out, QByteArrayView text)
{
    const qsizetype start = out.size();
    out.append(text);
    char *p = out.data() + start;
    char *const end = out.data() + out.size();
    // Most texts hold no line break: find the first one quickly.
    while ((p = static_cast<char *>(std::memchr(p, '\n', std::size_t(end - p)))) != nullptr)
        *p++ = ' ';
    p = out.data() + start;
    while ((p = static_cast<char *>(std::memchr(p, '\r', std::size_t(end - p)))) != nullptr)
        *p++ = ' ';
}

QByteArray OneLine(QByteArrayView text)
{
    QByteArray out;
    AppendOneLine(out, text);
    return out;
}
