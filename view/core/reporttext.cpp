#include "view/core/reporttext.h"

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

// Right-to-left letters, or marks that change the direction of what follows.
bool ChangesDirection(const QString &text)
{
    for (QChar c : text) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return true;
        default:
            break;
        }
    }
    return false;
}

// A stored text as a line shows it: line breaks as spaces, as in every
// export, padded to `width` characters. A right-to-left text is isolated
// (first-strong isolate) so that it keeps its place in the left-to-right
// line instead of reordering the number and brackets around it.
QString Field(const CText &text, int width = 0)
{
    QString shown = text.toQString();
    shown.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    shown = PadRight(shown, width);
    return ChangesDirection(shown) ? QChar(0x2068) + shown + QChar(0x2069) : shown;
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
        .arg(PadRight(QString::number(number), 5), Field(r.m_strFullName), Field(r.m_strShortName),
             Field(r.m_strCountry), Field(r.m_strLetters));
}

QString SecondLine(const CReflector &r)
{
    return QStringLiteral("IP: %1  ID: %2  %3 (%4)")
        .arg(Field(r.m_strIPAddress, 15), Field(r.m_strConferenceID, 2), Field(r.m_strContact), Field(r.m_strEmail));
}

QString PageLabel(int page, int pageCount)
{
    return LoadQString(Str::PageFormat).arg(page).arg(pageCount);
}

} // namespace ReportText
