#pragma once

#include "data/addressindex.h"
#include "data/lodexdoc.h"

#include <functional>

class CListChange;

// The fields a source of records holds, one bit per column: a phonebook,
// for one, knows no contact, so taking its values must leave the list's.
namespace FieldMask {
constexpr unsigned Bit(int column) { return 1u << column; }
constexpr unsigned kAll = (1u << CReflector::ColumnCount) - 1;
} // namespace FieldMask

// A record on its way into the list, and which of its fields it brings.
struct MergeCandidate {
    std::unique_ptr<CReflector> record;
    unsigned fields = FieldMask::kAll;
};

// Puts records into the document's list as Add does: a record whose
// address no record has goes to the end; one whose address is taken is
// settled by the conflict dialog, or by a choice made once for all.
// Every change goes into `change`, for Undo.
//
// One record at a time (Merge): each change shows in its row at once, as
// after Add or Edit. Many at once (CountTaken, then MergeAll): addresses
// are found through an index, an update that changes nothing counts as no
// change, and the caller refreshes the rows at the end.
class CListMerge
{
public:
    enum class Conflicts { Ask, KeepList, TakeNew };

    CListMerge(CLodexDoc &doc, CListChange &change) : m_doc(doc), m_change(change) {}

    CLodexDoc::MergeResult Merge(MergeCandidate candidate, Conflicts conflicts);

    // How many of `candidates`, merged in order, find their address taken:
    // by a record of the list or by an earlier candidate.
    std::size_t CountTaken(const std::vector<MergeCandidate> &candidates);
    // Merges the candidates just counted, in order, telling `tally` each
    // outcome.
    void MergeAll(std::vector<MergeCandidate> &candidates, Conflicts conflicts,
                  const std::function<void(CLodexDoc::MergeResult)> &tally);

private:
    CLodexDoc::MergeResult Settle(MergeCandidate candidate, Conflicts conflicts);
    CReflector *Find(const CReflector &candidate) const;
    CLodexDoc::MergeResult Update(CReflector &match, const CReflector &values);
    CLodexDoc::MergeResult Append(std::unique_ptr<CReflector> candidate);

    CLodexDoc &m_doc;
    CListChange &m_change;
    bool m_batch = false;
    // Batch: the list and the first candidate of each address not in it.
    CAddressIndex m_index;
    std::vector<bool> m_taken; // of each candidate counted
};
