#include "view/core/reflectortablemodel.h"

#include "resources/strings.h"
#include "view/core/rowsorter.h"

#include <algorithm>

CReflectorTableModel::CReflectorTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_titles(LoadQString(Str::ColumnTitles).split(QLatin1Char(';')))
    , m_yes(LoadQString(Str::Yes))
    , m_no(LoadQString(Str::No))
{
}

int CReflectorTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
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
        return CellText(*m_rows[std::size_t(index.row())], index.column());
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
    return row >= 0 && row < int(m_rows.size()) ? m_rows[std::size_t(row)] : nullptr;
}

int CReflectorTableModel::InsertRecord(int index, CReflector *record)
{
    // A row without a record could be neither shown nor ordered.
    if (!record)
        return -1;
    if (index < 0 || index > int(m_rows.size()))
        index = int(m_rows.size());
    beginInsertRows(QModelIndex(), index, index);
    m_rows.insert(m_rows.begin() + index, record);
    endInsertRows();
    return index;
}

void CReflectorTableModel::UpdateRow(int row)
{
    if (row >= 0 && row < int(m_rows.size()))
        emit dataChanged(index(row, 0), index(row, CReflector::ColumnCount - 1));
}

int CReflectorTableModel::FindRow(const CReflector *record) const
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), record);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

void CReflectorTableModel::SetRows(const ReflectorList &list)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(list.size());
    for (const auto &record : list)
        m_rows.push_back(record.get());
    endResetModel();
}

void CReflectorTableModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    endResetModel();
}

void CReflectorTableModel::sort(int column, Qt::SortOrder sortOrder)
{
    if (!RowSorter::ColumnHasOrder(column) || m_rows.size() < 2)
        return;
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
