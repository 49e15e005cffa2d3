#include "data/settingsstore.h"

#include "resources/strings.h"

#include <QStringList>

#include <cstdint>

CSettingsStore::CSettingsStore()
    : QSettings(QString::fromLatin1(LoadString(Str::CompanyKey)), QString::fromLatin1(LoadString(Str::AppName)))
{
}

QString CSettingsStore::ReadText(const char *key)
{
    beginGroup(QLatin1String(kSettingsGroup));
    const QVariant value = this->value(QLatin1String(key));
    endGroup();
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void CSettingsStore::WriteText(const char *key, const QString &value)
{
    beginGroup(QLatin1String(kSettingsGroup));
    setValue(QLatin1String(key), value);
    endGroup();
}

std::vector<long long> ScanIntegerList(const QString &text, int count)
{
    std::vector<long long> numbers;
    const QByteArray bytes = text.toUtf8();
    const char *p = bytes.constData();
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (int(numbers.size()) < count) {
        if (!numbers.empty()) {
            if (*p != ',')
                break;
            ++p;
        }
        while (isSpace(*p))
            ++p;
        bool negative = false;
        if (*p == '+' || *p == '-')
            negative = *p++ == '-';
        if (*p < '0' || *p > '9')
            break;
        long long value = 0;
        bool inRange = true;
        for (; *p >= '0' && *p <= '9'; ++p) {
            value = value * 10 + (*p - '0');
            // Both the signed and the unsigned 32-bit fields fit below this.
            if (value > int64_t(UINT32_MAX))
                inRange = false, value = int64_t(UINT32_MAX) + 1;
        }
        if (!inRange)
            break;
        numbers.push_back(negative ? -value : value);
    }
    return numbers;
}
