#include "base/settingsstore.h"

#include "base/leadinginteger.h"
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
    std::string_view rest(bytes.constData(), std::size_t(bytes.size()));
    while (int(numbers.size()) < count) {
        if (!numbers.empty()) {
            if (rest.empty() || rest.front() != ',')
                break;
            rest.remove_prefix(1);
        }
        const LeadingInteger number = ReadLeadingInteger(rest);
        // Both the signed and the unsigned 32-bit fields fit below this.
        if (!number.hasDigits || number.magnitude > UINT32_MAX)
            break;
        numbers.push_back(number.negative ? -(long long)number.magnitude : (long long)number.magnitude);
        rest.remove_prefix(number.end);
    }
    return numbers;
}
