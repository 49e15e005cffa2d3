#include "data/addressindex.h"

#include <QHashFunctions>

namespace {

uint32_t HashOf(const CReflector &record)
{
    return uint32_t(qHash(record.m_strIPAddress.bytes()));
}

} // namespace

void CAddressIndex::Build(const ReflectorList &list, std::size_t roomForMore)
{
    m_slots.clear();
    m_count = 0;
    Grow(2 * (list.size() + roomForMore));
    for (const auto &record : list)
        FindOrAdd(record.get());
}

std::size_t CAddressIndex::SlotOf(const CReflector &record, uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (!slot.record || (slot.hash == hash && slot.record->IsSameAddress(record)))
            return i;
    }
}

CReflector *CAddressIndex::FindOrAdd(CReflector *record)
{
    if (2 * (m_count + 1) > m_slots.size())
        Grow(2 * m_slots.size());
    const uint32_t hash = HashOf(*record);
    Slot &slot = m_slots[SlotOf(*record, hash)];
    if (slot.record)
        return slot.record;
    slot = {record, hash};
    ++m_count;
    return nullptr;
}

CReflector *CAddressIndex::Find(const CReflector &candidate) const
{
    return m_slots.empty() ? nullptr : m_slots[SlotOf(candidate, HashOf(candidate))].record;
}

void CAddressIndex::Grow(std::size_t slotCount)
{
    std::size_t size = 64;
    while (size < slotCount)
        size *= 2;
    if (size <= m_slots.size())
        return;
    std::vector<Slot> old(size, Slot{nullptr, 0});
    old.swap(m_slots);
    const std::size_t mask = size - 1;
    for (const Slot &slot : old) {
        if (!slot.record)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].record)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
