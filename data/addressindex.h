#pragma once

#include "data/reflectorlist.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The records of a list by IP address, for merging many records at once:
// a look-up costs one probe where FindByAddress walks the whole list.
//
// It answers what FindByAddress answers, the first record in list order
// with that address, as long as records are added in list order. A slot
// holds the record and its address's hash, so that a probe reads a record
// only when the hashes agree; half the slots stay free: a million records
// cost 32 MB at most.
class CAddressIndex
{
public:
    // Every record of `list`, in order, with room for `roomForMore`.
    void Build(const ReflectorList &list, std::size_t roomForMore = 0);
    // The record with the address of `record`, or null after adding
    // `record` under it. Its address must not change while it is indexed.
    CReflector *FindOrAdd(CReflector *record);
    CReflector *Find(const CReflector &candidate) const;

private:
    struct Slot {
        CReflector *record; // null: free
        uint32_t hash;
    };

    std::size_t SlotOf(const CReflector &record, uint32_t hash) const;
    void Grow(std::size_t slotCount);

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};
