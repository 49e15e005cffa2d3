#include "exchange/inilines.h"

#include "exchange/onelinetext.h"

namespace IniLine {

Parsed Parse(QByteArrayView line, char commentMark)
{
    Parsed parsed;
    const QByteArrayView trimmed = line.trimmed();
    if (trimmed.isEmpty())
        return parsed;
    if (trimmed.front() == commentMark) {
        parsed.kind = Kind::Comment;
        return parsed;
    }
    const qsizetype close = trimmed.front() == '[' ? trimmed.lastIndexOf(']') : -1;
    if (close > 0) {
        parsed.kind = Kind::Header;
        parsed.name = trimmed.sliced(1, close - 1);
        return parsed;
    }
    parsed.kind = Kind::Key;
    const qsizetype equals = trimmed.indexOf('=');
    parsed.hasEquals = equals >= 0;
    parsed.name = parsed.hasEquals ? trimmed.first(equals).trimmed() : trimmed;
    if (parsed.hasEquals)
        parsed.value = trimmed.sliced(equals + 1).trimmed();
    return parsed;
}

void AppendKeyLine(QByteArray &out, QByteArrayView name, QByteArrayView value)
{
    out.append(name).append('=');
    AppendOneLine(out, value);
}

} // namespace IniLine
