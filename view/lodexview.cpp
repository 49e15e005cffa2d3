#include "view/lodexview.h"

#include "base/settingsstore.h"
#include "data/lodexdoc.h"
#include "view/busycursor.h"
#include "view/core/reflectortablemodel.h"
#include "view/screenareas.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace {
constexpr const char *kColumnWidthKey = "ColumnWidth";
}

CLodexView::CLodexView(QWidget *parent) : QTableView(parent), m_model(new CReflectorTableModel(this))
{
    setObjectName(QStringLiteral("reflectorList"));
    setAccessibleName(tr("Reflector list"));
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);

    // Rows keep one fixed height: sizing them to their contents would read
    // every record of a long list.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView *header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSectionsClickable(true);
    // Fitting a column measures this many rows, the shown ones first: a
    // divider's double-click stays quick on a list of a million.
    header->setResizeContentsPrecision(ColumnWidths::kFitRows);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(0);
    header->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionClicked, this, &CLodexView::OnHeaderClicked);
    connect(header, &QHeaderView::sectionResized, this, &CLodexView::OnSectionResized);
    // After the table's own handler, which fits the column.
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, &CLodexView::OnDividerDoubleClicked);

    auto rowsChanged = [this] {
        InvalidateSelection();
        emit commandStateChanged();
    };
    connect(m_model, &QAbstractItemModel::modelReset, this, rowsChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CLodexView::ForgetSort);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CLodexView::FitColumnsToFirstRows);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CLodexView::FitColumnsToFirstRows);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, rowsChanged);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, rowsChanged);

    SetupColumns();
}

CLodexView::~CLodexView()
{
    // Emptying the rows below must not reach listeners that are going away.
    blockSignals(true);
    AttachDocument(nullptr);
    SaveColumnWidths();
}

void CLodexView::AttachDocument(CLodexDoc *doc)
{
    if (m_pDocument && m_pDocument->m_pView == this) {
        ClearList();
        m_pDocument->m_pView = nullptr;
    }
    m_pDocument = doc;
    if (doc) {
        doc->m_pView = this;
        doc->RefreshView();
    }
}

int CLodexView::GetRowCount() const
{
    return m_model->RowCount();
}

CReflector *CLodexView::GetReflector(int row) const
{
    return m_model->RecordAt(row);
}

int CLodexView::InsertReflectorItem(int index, CReflector *record)
{
    return m_model->InsertRecord(index, record);
}

void CLodexView::UpdateRow(int row)
{
    m_model->UpdateRow(row);
}

int CLodexView::FindRow(const CReflector *record) const
{
    return m_model->FindRow(record);
}

void CLodexView::SetRows(const ReflectorList &list)
{
    m_model->SetRows(list);
}

void CLodexView::ClearList()
{
    m_model->Clear();
}

void CLodexView::InvalidateSelection()
{
    m_selectionValid = false;
}

const std::vector<std::pair<int, int>> &CLodexView::SelectedIntervals() const
{
    if (m_selectionValid)
        return m_selectedIntervals;
    m_selectedIntervals.clear();
    for (const QItemSelectionRange &range : selectionModel()->selection())
        if (range.isValid())
            m_selectedIntervals.emplace_back(range.top(), range.bottom());
    std::sort(m_selectedIntervals.begin(), m_selectedIntervals.end());
    // Ranges may overlap (one per column, or toggled twice): merge them.
    std::size_t merged = 0;
    for (const auto &interval : m_selectedIntervals) {
        if (merged && interval.first <= m_selectedIntervals[merged - 1].second + 1)
            m_selectedIntervals[merged - 1].second = std::max(m_selectedIntervals[merged - 1].second, interval.second);
        else
            m_selectedIntervals[merged++] = interval;
    }
    m_selectedIntervals.resize(merged);
    m_selectionValid = true;
    return m_selectedIntervals;
}

int CLodexView::GetNextSelected(int row) const
{
    const auto &intervals = SelectedIntervals();
    // The first interval that ends after `row`.
    const auto it = std::upper_bound(intervals.begin(), intervals.end(), row,
                                     [](int r, const std::pair<int, int> &iv) { return r < iv.second; });
    if (it == intervals.end())
        return -1;
    return std::max(it->first, row + 1);
}

int CLodexView::GetSelectedCount() const
{
    int count = 0;
    for (const auto &interval : SelectedIntervals())
        count += interval.second - interval.first + 1;
    return count;
}

std::vector<int> CLodexView::SelectedRows() const
{
    std::vector<int> rows;
    for (const auto &interval : SelectedIntervals())
        for (int r = interval.first; r <= interval.second; ++r)
            rows.push_back(r);
    return rows;
}

void CLodexView::SetupColumns()
{
    CSettingsStore settings;
    m_widths = ColumnWidths::Parse(settings.ReadText(kColumnWidthKey), WidestScreenWidth());
    ClearList();
    for (int column = 0; column < CReflector::ColumnCount; ++column)
        AddColumn(m_model->ColumnTitle(column), column, &m_widths[std::size_t(column)]);
}

void CLodexView::AddColumn(const QString &title, int column, int *widthSlot)
{
    const bool computed = *widthSlot == ColumnWidths::kDefault;
    if (computed)
        *widthSlot = horizontalHeader()->fontMetrics().horizontalAdvance(title) + ColumnWidths::kTitlePadding;
    if (column >= 0 && column < CReflector::ColumnCount)
        m_fitToRows[std::size_t(column)] = computed;
    // Negative widths other than -1 stay in the table as they are; on the
    // screen they are no width at all.
    horizontalHeader()->resizeSection(column, std::max(0, *widthSlot));
}

void CLodexView::SaveColumnWidths() const
{
    CSettingsStore settings;
    settings.WriteText(kColumnWidthKey, ColumnWidths::Format(m_widths));
}

void CLodexView::OnSectionResized(int column, int, int newSize)
{
    // Only the user's drag of a divider counts here; widths the program
    // sets are not kept by themselves.
    if (m_dividerDragged && column >= 0 && column < CReflector::ColumnCount) {
        m_widths[std::size_t(column)] = newSize;
        m_fitToRows[std::size_t(column)] = false;
    }
}

void CLodexView::OnDividerDoubleClicked(int column)
{
    if (column < 0 || column >= CReflector::ColumnCount)
        return;
    m_widths[std::size_t(column)] = horizontalHeader()->sectionSize(column);
    m_fitToRows[std::size_t(column)] = false;
}

void CLodexView::FitColumnsToFirstRows()
{
    if (m_model->RowCount() == 0 || std::none_of(m_fitToRows.begin(), m_fitToRows.end(), [](bool fit) { return fit; }))
        return;
    const int maxWidth = ColumnWidths::MaxFitWidth(WidestScreenWidth());
    for (int column = 0; column < CReflector::ColumnCount; ++column) {
        if (!m_fitToRows[std::size_t(column)])
            continue;
        m_fitToRows[std::size_t(column)] = false;
        int &width = m_widths[std::size_t(column)];
        width = std::max(width, std::min(sizeHintForColumn(column), maxWidth));
        horizontalHeader()->resizeSection(column, width);
    }
}

bool CLodexView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_dividerDragged = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        else if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
            m_dividerDragged = false;
    }
    return QTableView::eventFilter(watched, event);
}

void CLodexView::OnHeaderClicked(int column)
{
    const bool reverse = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder;
    SortRows(column, reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CLodexView::SortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= CReflector::ColumnCount) {
        ForgetSort();
        return;
    }
    {
        CBusyCursor busy;
        sortByColumn(column, order);
    }
    m_sortColumn = column;
    m_sortOrder = order;
    emit sortChanged();
}

void CLodexView::ForgetSort()
{
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (m_sortColumn < 0)
        return;
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    emit sortChanged();
}

QMenu *CLodexView::CreateContextMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("listContextMenu"));
    menu->addActions(m_contextActions);
    return menu;
}

QPoint CLodexView::ContextMenuPosition(const QContextMenuEvent &event) const
{
    if (event.reason() != QContextMenuEvent::Keyboard)
        return event.globalPos();
    QPoint local(0, 0);
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        const QRect rect = visualRect(m_model->index(current.row(), 0));
        if (rect.isValid() && viewport()->rect().intersects(rect))
            local = QPoint(rect.left() + rect.height() / 2, rect.bottom());
    }
    return viewport()->mapToGlobal(local);
}

void CLodexView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_contextActions.isEmpty())
        return;
    QMenu *menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(ContextMenuPosition(*event));
    event->accept();
}

void CLodexView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit editRequested();
}

void CLodexView::keyPressEvent(QKeyEvent *event)
{
    // Copying is the Copy command's business, which copies whole records;
    // the table's own copy of one cell must not run in its place.
    if (event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    // Shift+F10 asks for the context menu as the Menu key does: keyboards
    // without that key have no other way to it.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos(), event->modifiers());
        contextMenuEvent(&request);
        return;
    }
    QTableView::keyPressEvent(event);
}

void CLodexView::focusInEvent(QFocusEvent *event)
{
    // The table makes its first cell current when it takes the focus, and
    // the first Down would then select the second row. A list has no
    // current row until the user picks one: the first Down selects row 0.
    const bool hadCurrent = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!hadCurrent && !selectionModel()->hasSelection())
        selectionModel()->clearCurrentIndex();
}

QModelIndex CLodexView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and last row, as in a list, not to the
    // first and last column of the current row.
    const int rows = m_model->rowCount();
    if (rows > 0 && (cursorAction == MoveHome || cursorAction == MoveEnd)) {
        const int column = std::max(currentIndex().column(), 0);
        return m_model->index(cursorAction == MoveHome ? 0 : rows - 1, column);
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

QItemSelectionModel::SelectionFlags CLodexView::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Ctrl with an arrow moves the focus mark alone; with Home or End the
    // table would do the same, and a Delete after Ctrl+End would remove
    // rows left selected out of sight. Home and End select with or
    // without Ctrl.
    if (event && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && (key->modifiers() & Qt::ControlModifier)) {
            const QKeyEvent withoutCtrl(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier);
            return QTableView::selectionCommand(index, &withoutCtrl);
        }
    }
    return QTableView::selectionCommand(index, event);
}

void CLodexView::SetDragHandler(std::function<void(Qt::DropActions)> handler)
{
    m_dragHandler = std::move(handler);
    setDragEnabled(bool(m_dragHandler));
    setDragDropMode(m_dragHandler ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
}

void CLodexView::startDrag(Qt::DropActions supportedActions)
{
    if (m_dragHandler)
        m_dragHandler(supportedActions);
}
