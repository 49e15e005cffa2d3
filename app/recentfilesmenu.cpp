#include "app/recentfilesmenu.h"

#include "app/commandtable.h"
#include "app/core/recentfilelist.h"

#include <QAction>
#include <QMenu>

CRecentFilesMenu::CRecentFilesMenu(QMenu *menu, QAction *before, const CRecentFileList &list, QObject *parent)
    : QObject(parent), m_list(list), m_placeholder(new QAction(tr("Recent File"), menu))
{
    const QString prompt = tr("Open this document");
    m_placeholder->setObjectName(QStringLiteral("recentFilePlaceholder"));
    m_placeholder->setStatusTip(prompt);
    m_placeholder->setEnabled(false);
    menu->insertAction(before, m_placeholder);
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        auto *entry = new QAction(menu);
        entry->setObjectName(QStringLiteral("command%1").arg(int(CommandId::FileMru1) + i));
        entry->setStatusTip(prompt);
        menu->insertAction(before, entry);
        connect(entry, &QAction::triggered, this, [this, i] { emit openRequested(i); });
        m_entries << entry;
    }
    Rebuild();
}

void CRecentFilesMenu::Rebuild()
{
    m_placeholder->setVisible(m_list.IsEmpty());
    for (int i = 0; i < m_entries.size(); ++i) {
        const bool used = i < m_list.Count();
        m_entries[i]->setVisible(used);
        m_entries[i]->setText(used ? m_list.MenuText(i) : QString());
    }
}
