#pragma once

#include "data/reflectorlist.h"

#include <cstddef>
#include <vector>

// The records of a list by IP address, for merging many records at once:
// a look-up costs one probe where FindByAddress walks the whole list.
//
// It answers what FindByAddress answers, the first record in list order
// with that address, as long as records are added in list order. A slot
// is one pointer (the address is read from the record), half the slots
// stay free, so a million records cost 16 MB at most.
class CAddressIndex
{
public:
    // Every record of `list`, in order.
    void Build(const ReflectorList &list, std::size_t roomForMore = 0);
    // `record` under its address, unless a record with that address is
    // there already. Its address must not change while it is indexed.
    void Add(CReflector *record);
    CReflector *Find(const CReflector &candidate) const;
    void Clear();

private:
    std::size_t SlotOf(const CReflector &record) const;
    void Grow(std::size_t slotCount);

    std::vector<CReflector *> m_slots; // null: free
    std::size_t m_count = 0;
};
