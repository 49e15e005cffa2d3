#include "app/commandactions.h"

#include "app/fadedicon.h"
#include "resources/resourcefiles.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

CCommandActions::CCommandActions(QWidget *owner, const QHash<CommandId, QAction *> &ownActions) : QObject(owner)
{
    for (const CommandInfo &info : CommandTable()) {
        QAction *const own = ownActions.value(info.id);
        QAction *action = own ? own : new QAction(owner);
        action->setText(MenuText(info));
        action->setObjectName(QStringLiteral("command%1").arg(int(info.id)));
        action->setStatusTip(CommandText(info.prompt));
        action->setToolTip(CommandText(info.toolTip));
        action->setIcon(CommandIcon(info.id));
        action->setIconVisibleInMenu(false);
        owner->addAction(action);
        m_actions.insert(info.id, action);
        if (own)
            m_handlers.insert(info.id, [this, id = info.id] { return IsEnabledByRule(id); });
        action->setEnabled(own && IsEnabledByRule(info.id));

        const QList<QKeySequence> keys = AcceleratorKeys(info.id);
        const QList<QKeySequence> standardKeys = StandardKeys(info.id);
        const QKeySequence shown = MenuKey(info);
        if (!shown.isEmpty()) {
            // The menu shows the first: the key the table's text names.
            QList<QKeySequence> all{shown};
            for (const QKeySequence &k : keys + standardKeys)
                if (!all.contains(k))
                    all << k;
            action->setShortcuts(all);
            continue;
        }
        // The menu shows the first standard key, as the desktop's menus do.
        action->setShortcuts(standardKeys);
        if (keys.isEmpty())
            continue;
        // Keys that the menu does not show (Delete, Insert, Enter ...) run
        // the command through an action of their own.
        auto *keysOnly = new QAction(owner);
        keysOnly->setObjectName(QStringLiteral("keys%1").arg(int(info.id)));
        keysOnly->setShortcuts(keys);
        keysOnly->setEnabled(false);
        owner->addAction(keysOnly);
        connect(action, &QAction::enabledChanged, keysOnly, &QAction::setEnabled);
        const CommandId id = info.id;
        connect(keysOnly, &QAction::triggered, this, [this, id] { Trigger(id); });
    }
}

QAction *CCommandActions::Action(CommandId id) const
{
    return m_actions.value(id);
}

void CCommandActions::SetHandler(CommandId id, std::function<void()> handler, std::function<bool()> isEnabled)
{
    QAction *action = Action(id);
    if (!action || !handler)
        return;
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    if (!isEnabled)
        isEnabled = [this, id] { return IsEnabledByRule(id); };
    m_handlers.insert(id, std::move(isEnabled));
    action->setEnabled(m_handlers.value(id)());
}

void CCommandActions::SetListState(std::function<bool()> hasSelection, std::function<bool()> hasRows)
{
    m_hasSelection = std::move(hasSelection);
    m_hasRows = std::move(hasRows);
}

bool CCommandActions::IsEnabledByRule(CommandId id) const
{
    const CommandInfo *info = FindCommand(id);
    switch (info ? info->rule : EnableRule::Always) {
    case EnableRule::Always:
        return true;
    case EnableRule::WithSelection:
        return m_hasSelection && m_hasSelection();
    case EnableRule::WithRows:
        return m_hasRows && m_hasRows();
    }
    return false;
}

void CCommandActions::UpdateStates()
{
    for (auto it = m_handlers.cbegin(); it != m_handlers.cend(); ++it)
        if (QAction *action = Action(it.key()))
            action->setEnabled(it.value()());
}

bool CCommandActions::Trigger(CommandId id)
{
    QAction *action = Action(id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

QIcon CCommandActions::CommandIcon(CommandId id)
{
    const CommandInfo *info = FindCommand(id);
    if (!info || !info->icon)
        return QIcon();
    // The desktop's own icons fit its look; ours stand in where the theme
    // lacks one, or where there is no theme.
    const QIcon own(QLatin1String(ResourceFiles::kIconFolder) + QLatin1String(info->icon));
    return FadedWhenDisabled(QIcon::fromTheme(QLatin1String(info->themeIcon), own));
}
