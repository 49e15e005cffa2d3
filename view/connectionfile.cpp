#include "view/connectionfile.h"

#include "data/reflector.h"
#include "resources/strings.h"

QByteArray ConnectionFile(const CReflector &record)
{
    QByteArray text;
    text.reserve(kConnectionFileSize);
    text.append(record.m_strIPAddress.bytes())
        .append("\r\n")
        .append(record.m_strConferenceID.bytes())
        .append(LoadString(Str::ConnectionSettings));
    text.truncate(kConnectionFileSize - 1);
    text.append(QByteArray(kConnectionFileSize - text.size(), '\0'));
    return text;
}
