#pragma once

#include "data/reflectorlist.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The list's rows: the document's records, and the twelve columns read from
// the record when painted. Nothing is kept per cell. Rows in the order of
// the document's list are that list itself; once sorted, or given a row
// elsewhere than after the last, they are one non-owning pointer each.
class CReflectorTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CReflectorTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Sorts the rows stably (only the rows: the document's list keeps its
    // order); the selection and the current row follow their records.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int RowCount() const { return int(m_list ? m_listRows : m_rows.size()); }
    CReflector *RecordAt(int row) const;
    // The title of a column, from the string table.
    QString ColumnTitle(int column) const { return m_titles.value(column); }
    // The text a cell shows.
    QString CellText(const CReflector &record, int column) const;

    // Inserts a row at `index` (at the end when out of range); answers its
    // index, or -1 for a null record, which never gets a row.
    int InsertRecord(int index, CReflector *record);
    void UpdateRow(int row);
    int FindRow(const CReflector *record) const;
    // One row per record of `list`, in its order; the list must outlive
    // the rows, and gain or lose records only as the rows are told.
    void SetRows(const ReflectorList &list);
    void Clear();

private:
    // Leaves the list's order for rows of their own.
    void TakeOwnOrder();

    const ReflectorList *m_list = nullptr; // rows in its order, if set
    std::size_t m_listRows = 0;            // its first records that have rows
    std::vector<CReflector *> m_rows;      // the rows otherwise
    QStringList m_titles;
    QString m_yes;
    QString m_no;
};
