#include "exchange/datetimestamp.h"

#include <QDateTime>
#include <QLocale>

namespace {

bool IsSecondsField(QChar c)
{
    return c == u's' || c == u'z';
}

// Cut to at most `max` characters without splitting a surrogate pair.
QByteArray Limited(const QString &text, int max)
{
    qsizetype end = 0;
    for (int count = 0; count < max && end < text.size(); ++count)
        end += (text.at(end).isHighSurrogate() && end + 1 < text.size()) ? 2 : 1;
    return text.left(end).toUtf8();
}

} // namespace

QString TimeFormatWithoutSeconds(const QString &format)
{
    // Walk the format keeping quoted literals intact. Literal text seen
    // since the last field is held back: it is dropped when a seconds field
    // follows, and kept otherwise.
    QString result;
    QString pendingLiteral;
    bool inQuote = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            inQuote = !inQuote;
            pendingLiteral += c;
            continue;
        }
        if (inQuote || !c.isLetter()) {
            pendingLiteral += c;
            continue;
        }
        qsizetype end = i;
        while (end < format.size() && format.at(end) == c)
            ++end;
        if (IsSecondsField(c)) {
            pendingLiteral.clear();
        } else {
            result += pendingLiteral;
            pendingLiteral.clear();
            result += format.mid(i, end - i);
        }
        i = end - 1;
    }
    return result + pendingLiteral;
}

DateTimeStamp DateTimeStamp::Make(const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QString time = locale.toString(when.time(), TimeFormatWithoutSeconds(locale.timeFormat(QLocale::ShortFormat)));
    return {Limited(date, kMaxLength), Limited(time, kMaxLength)};
}

DateTimeStamp DateTimeStamp::Now()
{
    return Make(QDateTime::currentDateTime(), QLocale::system());
}
