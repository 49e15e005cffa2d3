#include "app/sortmenu.h"

#include "view/lodexview.h"

#include <QActionGroup>
#include <QMenu>

CSortMenu::CSortMenu(QMenu *menu, CLodexView &view, QObject *parent)
    : QObject(parent), m_view(view), m_columnGroup(new QActionGroup(this))
{
    menu->setObjectName(QStringLiteral("menuSortBy"));
    // No column is checked while the rows are in the document's order.
    m_columnGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int column = 0; column < CReflector::ColumnCount; ++column) {
        QAction *action = menu->addAction(view.model()->headerData(column, Qt::Horizontal).toString());
        action->setObjectName(QStringLiteral("sortByColumn%1").arg(column));
        action->setStatusTip(tr("Sort the list by this column"));
        action->setCheckable(true);
        m_columnGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, column] { SortBy(column); });
        m_columns << action;
    }
    menu->addSeparator();
    auto *directions = new QActionGroup(this);
    m_ascending = menu->addAction(tr("&Ascending"));
    m_ascending->setObjectName(QStringLiteral("sortAscending"));
    m_ascending->setStatusTip(tr("Sort from A to Z"));
    m_descending = menu->addAction(tr("&Descending"));
    m_descending->setObjectName(QStringLiteral("sortDescending"));
    m_descending->setStatusTip(tr("Sort from Z to A"));
    for (QAction *action : {m_ascending, m_descending}) {
        action->setCheckable(true);
        directions->addAction(action);
    }
    connect(m_ascending, &QAction::triggered, this, [this] { SetDirection(Qt::AscendingOrder); });
    connect(m_descending, &QAction::triggered, this, [this] { SetDirection(Qt::DescendingOrder); });
    connect(&m_view, &CLodexView::sortChanged, this, &CSortMenu::UpdateChecks);
    UpdateChecks();
}

void CSortMenu::SortBy(int column)
{
    m_view.SortRows(column, m_order);
}

void CSortMenu::SetDirection(Qt::SortOrder order)
{
    m_order = order;
    if (m_view.SortColumn() >= 0)
        m_view.SortRows(m_view.SortColumn(), order);
    UpdateChecks();
}

void CSortMenu::UpdateChecks()
{
    const int sorted = m_view.SortColumn();
    if (sorted >= 0)
        m_order = m_view.SortOrder();
    for (int column = 0; column < m_columns.size(); ++column)
        m_columns[column]->setChecked(column == sorted);
    (m_order == Qt::AscendingOrder ? m_ascending : m_descending)->setChecked(true);
}
