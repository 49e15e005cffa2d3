#include "view/core/columnwidths.h"

#include "base/settingsstore.h"

#include <QStringList>

#include <algorithm>
#include <limits>

ColumnWidths::Table ColumnWidths::Defaults()
{
    Table widths;
    widths.fill(kDefault);
    return widths;
}

ColumnWidths::Table ColumnWidths::Parse(const QString &text, int maxWidth)
{
    const std::vector<long long> numbers = ScanIntegerList(text, CReflector::ColumnCount);
    if (numbers.size() != std::size_t(CReflector::ColumnCount))
        return Defaults();
    Table widths;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (numbers[i] < std::numeric_limits<int>::min() || numbers[i] > std::numeric_limits<int>::max())
            return Defaults();
        widths[i] = std::min(int(numbers[i]), maxWidth);
    }
    return widths;
}

QString ColumnWidths::Format(const Table &widths)
{
    QStringList parts;
    for (int w : widths)
        parts << QString::number(w);
    return parts.join(QLatin1Char(','));
}
