#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened or saved documents, newest first, kept in group
// "Recent File List" as "File1" to "File4".
class CRecentFileList
{
public:
    static constexpr int kSize = 4;
    static constexpr int kDisplayLength = 30;

    const QStringList &Entries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.isEmpty(); }
    int Count() const { return int(m_entries.size()); }

    // Puts the file first (as an absolute path), dropping an older entry
    // for the same file and the oldest beyond four.
    void Add(const QString &path);
    void Remove(int index);

    // Entries that are not absolute paths are left out.
    void Load(QSettings &settings);
    void Save(QSettings &settings) const;

    // The menu text of entry `index`: "&1 " and the path shortened to 30
    // characters, with '&' doubled so that it shows as typed.
    QString MenuText(int index) const;

private:
    QStringList m_entries;
};

// Shortens a path to at most `maxLength` characters by putting "..." in
// place of middle folders: "/home/.../data/list.ldx". The first folder and
// the file name stay; when even that does not fit, only the file name.
QString AbbreviatePath(const QString &path, int maxLength);
