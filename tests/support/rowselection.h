#pragma once

#include <QItemSelectionModel>
#include <QTableView>

// Makes `row` current and adds it to the rows selected, as a Ctrl+click
// does. (QTableView::selectRow selects a row alone.)
inline void SelectAlso(QTableView &view, int row)
{
    view.selectionModel()->setCurrentIndex(view.model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
