#include "exchange/filefilters.h"

#include <QFileInfo>
#include <QStringList>

QString QtFileFilters(const char *pipeSeparated)
{
    const QStringList parts = QString::fromUtf8(pipeSeparated).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        if (description.isEmpty())
            break;
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        filters << (description.contains(u'(' + patterns + u')')
                        ? description
                        : description + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

bool HasExtension(const QString &path, const char *extension)
{
    return QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}
