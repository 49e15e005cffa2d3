#pragma once

#include "data/docview.h"
#include "data/lodexdoc.h"
#include "view/core/columnwidths.h"

#include <QList>
#include <QPointer>
#include <QTableView>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class CReflectorTableModel;
class QAction;
class QMenu;

// The main window's list: one row per record of the document, twelve
// columns, sorted by a click on a column header: the first click sorts
// ascending, the next on the same header reverses, and an arrow in the
// header shows the order until the document refills the rows.
//
// The document decides which rows exist and changes them through the
// CDocView operations; the view never creates, changes or deletes a record.
// Find, copy and drag, and printing are separate classes that work on the
// view through GetRowCount(), GetReflector() and SelectedRows().
class CLodexView : public QTableView, public CDocView
{
    Q_OBJECT

public:
    explicit CLodexView(QWidget *parent = nullptr);
    // Saves the column widths and unlinks the document.
    ~CLodexView() override;

    // Links the view to its document (the document's m_pView) and back.
    void AttachDocument(CLodexDoc *doc);

    // CDocView
    int GetRowCount() const override;
    CReflector *GetReflector(int row) const override;
    int InsertReflectorItem(int index, CReflector *record) override;
    void UpdateRow(int row) override;
    int FindRow(const CReflector *record) const override;
    void SetRows(const ReflectorList &list) override;
    void ClearList() override;
    int GetNextSelected(int row) const override;
    int GetSelectedCount() const override;

    // The selected rows in ascending order.
    std::vector<int> SelectedRows() const;

    // Columns and their widths ("ColumnWidth" in the settings store).
    void SetupColumns();
    void SaveColumnWidths() const;

    // Sorts the rows by `column` in `order` and marks the header so; the
    // mark goes when the document refills the rows. No sort: column -1.
    void SortRows(int column, Qt::SortOrder order);
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    // The commands of the context menu (Add, Edit, Delete), as the main
    // window's actions so that they are enabled alike.
    void SetContextMenuActions(const QList<QAction *> &actions) { m_contextActions = actions; }
    QMenu *CreateContextMenu(QWidget *parent) const;
    // Where the context menu opens: at the mouse, or from the keyboard
    // below the current row (the top of the list when there is none).
    QPoint ContextMenuPosition(const QContextMenuEvent &event) const;

    // Dragging rows out: the part that builds what a drag carries installs
    // itself here; until then rows cannot be dragged.
    void SetDragHandler(std::function<void(Qt::DropActions)> handler);

signals:
    // A double-click: the Edit command's business.
    void editRequested();
    // The rows or the selection changed: command states may change.
    void commandStateChanged();
    // The rows were sorted, or the sort ended with a refill.
    void sortChanged();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Gives column `column` the width in `*widthSlot`; -1 there becomes
    // the title's width plus 15 pixels, written back into the slot, and
    // the column is fitted to the first rows once there are rows.
    void AddColumn(const QString &title, int column, int *widthSlot);
    // The selection as sorted, merged row intervals, cached until it or
    // the rows change.
    const std::vector<std::pair<int, int>> &SelectedIntervals() const;
    void InvalidateSelection();
    void OnSectionResized(int column, int oldSize, int newSize);
    // A double-click on a divider fits the column to its contents; that
    // width is kept as a drag's is.
    void OnDividerDoubleClicked(int column);
    // The columns still at their title's width take the width of the
    // first rows' contents, once there are rows.
    void FitColumnsToFirstRows();
    // A header click sorts on that column: ascending, or reversed when the
    // rows are already sorted on it.
    void OnHeaderClicked(int column);
    // A refill puts the rows back in the document's order.
    void ForgetSort();

    CReflectorTableModel *m_model = nullptr;
    QPointer<CLodexDoc> m_pDocument; // the document may go first
    ColumnWidths::Table m_widths = ColumnWidths::Defaults();
    std::array<bool, CReflector::ColumnCount> m_fitToRows{}; // still at the title's width
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QList<QAction *> m_contextActions;
    std::function<void(Qt::DropActions)> m_dragHandler;
    bool m_dividerDragged = false;
    mutable std::vector<std::pair<int, int>> m_selectedIntervals;
    mutable bool m_selectionValid = false;
};
