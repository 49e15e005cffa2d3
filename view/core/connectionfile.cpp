#include "view/core/connectionfile.h"

#include "data/reflector.h"
#include "exchange/onelinetext.h"
#include "resources/strings.h"

QByteArray ConnectionFile(const CReflector &record)
{
    QByteArray text;
    text.reserve(kConnectionFileSize);
    // Texts from files made elsewhere may hold line breaks, which would
    // give the client lines (or whole sections) of their making.
    AppendOneLine(text, record.m_strIPAddress.bytes());
    text.append("\r\n");
    AppendOneLine(text, record.m_strConferenceID.bytes());
    text.append(LoadString(Str::ConnectionSettings));
    text.truncate(kConnectionFileSize - 1);
    text.append(QByteArray(kConnectionFileSize - text.size(), '\0'));
    return text;
}
