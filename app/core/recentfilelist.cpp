#include "app/core/recentfilelist.h"

#include "base/nativepath.h"
#include "base/settingsstore.h"

#include <QDir>
#include <QSettings>

void CRecentFileList::Add(const QString &path)
{
    const QString absolute = AbsolutePath(path);
    m_entries.removeAll(absolute);
    m_entries.prepend(absolute);
    while (m_entries.size() > kSize)
        m_entries.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

void CRecentFileList::Load(QSettings &settings)
{
    m_entries.clear();
    settings.beginGroup(QLatin1String(CSettingsStore::kRecentFileGroup));
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        // Only absolute paths: a relative one would open whatever has that
        // name in the folder Lodex happens to start in.
        if (QDir::isAbsolutePath(path) && !m_entries.contains(path))
            m_entries << path;
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings &settings) const
{
    settings.beginGroup(QLatin1String(CSettingsStore::kRecentFileGroup));
    for (int i = 1; i <= kSize; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_entries.size())
            settings.setValue(key, m_entries[i - 1]);
        else
            settings.remove(key);
    }
    settings.endGroup();
}

QString CRecentFileList::MenuText(int index) const
{
    QString shown = AbbreviatePath(m_entries.value(index), kDisplayLength);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString AbbreviatePath(const QString &path, int maxLength)
{
    if (path.size() <= maxLength)
        return path;
    const int nameStart = int(path.lastIndexOf(QLatin1Char('/'))) + 1;
    const QString name = path.mid(nameStart);
    // The volume: the root and the first folder ("/home"), as a drive and
    // its first folder would be kept.
    const int volumeEnd = int(path.indexOf(QLatin1Char('/'), 1));
    if (volumeEnd < 0 || volumeEnd >= nameStart - 1 || volumeEnd + 4 + 1 + name.size() > maxLength)
        return name;
    // Drop leading folders of the rest until "<volume>/...<rest>" fits.
    int restStart = volumeEnd;
    while (volumeEnd + 4 + (path.size() - restStart) > maxLength)
        restStart = int(path.indexOf(QLatin1Char('/'), restStart + 1));
    return path.left(volumeEnd) + QLatin1String("/...") + path.mid(restStart);
}
