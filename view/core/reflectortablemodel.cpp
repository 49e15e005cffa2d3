#include "view/core/reflectortablemodel.h"

#include "resources/strings.h"
#include "view/core/rowsorter.h"

CReflectorTableModel::CReflectorTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_titles(LoadQString(Str::ColumnTitles).split(QLatin1Char(';')))
    , m_yes(LoadQString(Str::Yes))
    , m_no(LoadQString(Str::No))
{
}

int CReflectorTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CReflectorTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : CReflector::ColumnCount;
}

QString CReflectorTableModel::CellText(const CReflector &record, int column) const
{
    if (column < CReflector::kTextCount)
        return record.Text(column).toQString();
    return record.Flag(column - CReflector::kTextCount) ? m_yes : m_no;
}

QVariant CReflectorTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return CellText(*RecordAt(index.row()), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

QVariant CReflectorTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= CReflector::ColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return ColumnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return QVariant();
}

Qt::ItemFlags CReflectorTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

CReflector *CReflectorTableModel::RecordAt(int row) const
{
    if (row < 0 || row >= RowCount())
        return nullptr;
    return m_list ? (*m_list)[std::size_t(row)].get() : m_rows[std::size_t(row)];
}

int CReflectorTableModel::InsertRecord(int index, CReflector *record)
{
    // A row without a record could be neither shown nor ordered.
    if (!record)
        return -1;
    const int count = RowCount();
    if (index < 0 || index > count)
        index = count;
    // The document's new last record: the list's order holds.
    const bool appended = m_list && index == count && m_listRows < m_list->size()
                          && (*m_list)[m_listRows].get() == record;
    if (!appended)
        TakeOwnOrder();
    beginInsertRows(QModelIndex(), index, index);
    if (appended)
        ++m_listRows;
    else
        m_rows.insert(m_rows.begin() + index, record);
    endInsertRows();
    return index;
}

void CReflectorTableModel::TakeOwnOrder()
{
    if (!m_list)
        return;
    m_rows.reserve(m_listRows);
    for (std::size_t i = 0; i < m_listRows; ++i)
        m_rows.push_back((*m_list)[i].get());
    m_list = nullptr;
    m_listRows = 0;
}

void CReflectorTableModel::UpdateRow(int row)
{
    if (row >= 0 && row < RowCount())
        emit dataChanged(index(row, 0), index(row, CReflector::ColumnCount - 1));
}

int CReflectorTableModel::FindRow(const CReflector *record) const
{
    const int count = RowCount();
    for (int row = 0; row < count; ++row)
        if (RecordAt(row) == record)
            return row;
    return -1;
}

void CReflectorTableModel::SetRows(const ReflectorList &list)
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_list = &list;
    m_listRows = list.size();
    endResetModel();
}

void CReflectorTableModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_list = nullptr;
    m_listRows = 0;
    endResetModel();
}

void CReflectorTableModel::sort(int column, Qt::SortOrder sortOrder)
{
    if (!RowSorter::ColumnHasOrder(column) || RowCount() < 2)
        return;
    TakeOwnOrder();
    const std::vector<uint32_t> order = RowSorter::StableOrder(m_rows, column, sortOrder);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<CReflector *> sorted(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted[i] = m_rows[order[i]];
        newRowOf[order[i]] = int(i);
    }
    m_rows.swap(sorted);

    // The selection and the current row follow their records.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &idx : from)
        to << index(newRowOf[std::size_t(idx.row())], idx.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
