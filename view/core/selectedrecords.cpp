#include "view/core/selectedrecords.h"

#include "data/docview.h"

std::vector<const CReflector *> SelectedRecords(const CDocView &view)
{
    std::vector<const CReflector *> records;
    records.reserve(std::size_t(view.GetSelectedCount()));
    for (int row = view.GetNextSelected(-1); row >= 0; row = view.GetNextSelected(row)) {
        const CReflector *record = view.GetReflector(row);
        if (!record)
            break;
        records.push_back(record);
    }
    return records;
}
