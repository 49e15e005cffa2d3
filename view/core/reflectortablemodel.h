#pragma once

#include "data/reflectorlist.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The list's rows: one non-owning pointer per row to a record of the
// document, and the twelve columns read from the record when painted.
// Nothing is kept per cell, so a row costs one pointer.
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

    const std::vector<CReflector *> &Rows() const { return m_rows; }
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
    void SetRows(const ReflectorList &list);
    void Clear();

private:
    std::vector<CReflector *> m_rows;
    QStringList m_titles;
    QString m_yes;
    QString m_no;
};
