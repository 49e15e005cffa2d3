#pragma once

#include <QByteArray>
#include <QString>

class QDateTime;
class QLocale;

// The date and time that stamp an export: the date in the locale's short
// format and the time in its short format without seconds, each at most
// 13 characters, as bytes in the code page.
struct DateTimeStamp {
    static constexpr int kMaxLength = 13;

    QByteArray date;
    QByteArray time;

    static DateTimeStamp Make(const QDateTime &when, const QLocale &locale);
    // The current local date and time in the user's formats.
    static DateTimeStamp Now();
};

// `format` (a QLocale time format) without its seconds and fractions of a
// second, and without the separator that led up to them: "HH:mm:ss" gives
// "HH:mm", "h:mm:ss AP" gives "h:mm AP".
QString TimeFormatWithoutSeconds(const QString &format);
