#include "view/reporttext.h"

#include "data/reflector.h"
#include "resources/strings.h"

namespace ReportText {

namespace {

int CharacterCount(const QString &text)
{
    int count = 0;
    for (QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

} // namespace

QString PadRight(const QString &text, int width)
{
    const int missing = width - CharacterCount(text);
    return missing > 0 ? text + QString(missing, QLatin1Char(' ')) : text;
}

QString FirstLine(int number, const CReflector &r)
{
    return QStringLiteral(" %1 - %2 [%3], %4 (%5)")
        .arg(PadRight(QString::number(number), 5), r.m_strFullName.toQString(), r.m_strShortName.toQString(),
             r.m_strCountry.toQString(), r.m_strLetters.toQString());
}

QString SecondLine(const CReflector &r)
{
    return QStringLiteral("IP: %1  ID: %2  %3 (%4)")
        .arg(PadRight(r.m_strIPAddress.toQString(), 15), PadRight(r.m_strConferenceID.toQString(), 2),
             r.m_strContact.toQString(), r.m_strEmail.toQString());
}

QString PageLabel(int page, int pageCount)
{
    return QString::asprintf(LoadString(Str::PageFormat), page, pageCount);
}

} // namespace ReportText
