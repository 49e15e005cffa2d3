#pragma once

#include <vector>

class CDocView;
class CReflector;

// The records of the selected rows, top to bottom whatever order they were
// selected in. The walk ends at the first selected row without a record.
std::vector<const CReflector *> SelectedRecords(const CDocView &view);
