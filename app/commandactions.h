#pragma once

#include "app/commandtable.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QIcon;
class QWidget;

// The main window's commands as actions: texts, shortcuts, prompts, tool
// tips and icons from the command table, one action per command shared by
// the menus, the tool bar and the context menu.
//
// A command is enabled only once it has a handler, and then by its
// rule (or by the handler's own test), re-evaluated by UpdateStates().
class CCommandActions : public QObject
{
    Q_OBJECT

public:
    // The actions belong to `owner`, whose window takes their shortcuts.
    // A command found in `ownActions` takes that action instead, one that
    // a widget brings with its behaviour (a bar's toggle view action): it
    // gets the command's texts and keys and counts as handled.
    explicit CCommandActions(QWidget *owner, const QHash<CommandId, QAction *> &ownActions = {});

    QAction *Action(CommandId id) const;

    // Runs `handler` when the command is chosen. `isEnabled`, when given,
    // replaces the command's enable rule.
    void SetHandler(CommandId id, std::function<void()> handler, std::function<bool()> isEnabled = {});
    bool HasHandler(CommandId id) const { return m_handlers.contains(id); }

    // What the enable rules look at.
    void SetListState(std::function<bool()> hasSelection, std::function<bool()> hasRows);
    void UpdateStates();

    // Runs the command if it is enabled; answers whether it ran.
    bool Trigger(CommandId id);

    // The command's image (the tool-bar commands have one), or none: the
    // icon theme's when it has the image, else Lodex's own.
    static QIcon CommandIcon(CommandId id);

private:
    bool IsEnabledByRule(CommandId id) const;

    QHash<CommandId, QAction *> m_actions;
    QHash<CommandId, std::function<bool()>> m_handlers; // the enable test of each command with a handler
    std::function<bool()> m_hasSelection;
    std::function<bool()> m_hasRows;
};
