#pragma once

#include <QList>
#include <QObject>

class CRecentFileList;
class QAction;
class QMenu;

// The recent files in the File menu: up to four entries, or the disabled
// placeholder "Recent File" while the list is empty.
class CRecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // The entries go into `menu` before `before`.
    CRecentFilesMenu(QMenu *menu, QAction *before, const CRecentFileList &list, QObject *parent = nullptr);

    void Rebuild();

signals:
    void openRequested(int index);

private:
    const CRecentFileList &m_list;
    QAction *m_placeholder;
    QList<QAction *> m_entries; // one per possible entry, hidden when unused
};
