#pragma once

#include "data/reflectorlist.h"

// What the document needs of its list view. The view's rows point to the
// document's records without owning them; the document makes every change
// of rows through this interface so that the rows never outlive a record.
class CDocView
{
public:
    virtual ~CDocView() = default;

    virtual int GetRowCount() const = 0;
    // The record a row shows, or null when the row does not exist.
    virtual CReflector *GetReflector(int row) const = 0;
    // Inserts a row for `record` at `index` (at the end when negative);
    // answers the row's index.
    virtual int InsertReflectorItem(int index, CReflector *record) = 0;
    // Shows the record's current values again in that row.
    virtual void UpdateRow(int row) = 0;
    // The first row showing `record`, or -1.
    virtual int FindRow(const CReflector *record) const = 0;
    // Removes every row, then shows one row per record in list order.
    virtual void SetRows(const ReflectorList &list) = 0;
    // Removes every row.
    virtual void ClearList() = 0;
    // The next selected row after `row` (-1: from the top), or -1.
    virtual int GetNextSelected(int row) const = 0;
    virtual int GetSelectedCount() const = 0;
};
