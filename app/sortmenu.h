#pragma once

#include <QList>
#include <QObject>

class CLodexView;
class QAction;
class QActionGroup;
class QMenu;

// View > Sort By: the list's twelve columns, then Ascending and
// Descending, so that the keyboard sorts as a header click does. The
// checks show the list's sort; a refill of the rows clears the column's.
class CSortMenu : public QObject
{
    Q_OBJECT

public:
    CSortMenu(QMenu *menu, CLodexView &view, QObject *parent = nullptr);

private:
    void SortBy(int column);
    void SetDirection(Qt::SortOrder order);
    void UpdateChecks();

    CLodexView &m_view;
    QActionGroup *m_columnGroup;
    QList<QAction *> m_columns;
    QAction *m_ascending;
    QAction *m_descending;
    // The direction the next sort takes while the rows are not sorted.
    Qt::SortOrder m_order = Qt::AscendingOrder;
};
