#include "app/recentfilesmenu.h"

#include "app/commandtable.h"
#include "app/core/recentfilelist.h"

#include <QAction>
#include <QMenu>

namespace {
const QString kPrompt = QStringLiteral("Open this document");
}

CRecentFilesMenu::CRecentFilesMenu(QMenu *menu, QAction *before, const CRecentFileList &list, QObject *parent)
    : QObject(parent), m_list(list), m_placeholder(new QAction(QStringLiteral("Recent File"), menu))
{
    m_placeholder->setObjectName(QStringLiteral("recentFilePlaceholder"));
    m_placeholder->setStatusTip(kPrompt);
    m_placeholder->setEnabled(false);
    menu->insertAction(before, m_placeholder);
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        auto *entry = new QAction(menu);
        entry->setObjectName(QStringLiteral("command%1").arg(int(CommandId::FileMru1) + i));
        entry->setStatusTip(kPrompt);
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

QList<QAction *> CRecentFilesMenu::EntryActions() const
{
    QList<QAction *> visible;
    for (QAction *entry : m_entries)
        if (entry->isVisible())
            visible << entry;
    return visible;
}
