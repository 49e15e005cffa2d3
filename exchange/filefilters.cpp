#include "exchange/filefilters.h"

#include <QFileInfo>
#include <QStringList>

QString QtFileFilters(const QString &pipeSeparated)
{
    const QStringList parts = pipeSeparated.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (description.isEmpty())
            break;
        const QString written = QString(parts[i + 1]).replace(u';', u' ');
        // "*.*" stands for every file where these filters come from; here it
        // would hide the many files that have no extension.
        QStringList patterns = written.split(u' ', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            if (pattern == QLatin1String("*.*"))
                pattern = u'*';
        const QString listed = u'(' + patterns.join(u' ') + u')';
        if (description.contains(u'(' + written + u')'))
            description.replace(u'(' + written + u')', listed);
        else
            description += u' ' + listed;
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

bool HasExtension(const QString &path, const char *extension)
{
    return QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}
