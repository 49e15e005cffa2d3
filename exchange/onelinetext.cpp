#include "exchange/onelinetext.h"

#include <algorithm>

char *CopyOneLine(char *out, QByteArrayView text)
{
    // Texts are short: one pass that the compiler can vectorise.
    return std::transform(text.begin(), text.end(), out, [](char c) { return c == '\r' || c == '\n' ? ' ' : c; });
}

void AppendOneLine(QByteArray &out, QByteArrayView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    CopyOneLine(out.data() + start, text);
}

QByteArray OneLine(QByteArrayView text)
{
    QByteArray out;
    AppendOneLine(out, text);
    return out;
}
