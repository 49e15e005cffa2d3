#include "data/addressindex.h"

#include <QHashFunctions>

namespace {

std::size_t HashOf(const CReflector &record)
{
    return qHash(record.m_strIPAddress.bytes());
}

} // namespace

void CAddressIndex::Build(const ReflectorList &list, std::size_t roomForMore)
{
    Clear();
    Grow(2 * (list.size() + roomForMore));
    for (const auto &record : list)
        Add(record.get());
}

void CAddressIndex::Clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_count = 0;
}

std::size_t CAddressIndex::SlotOf(const CReflector &record) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = HashOf(record) & mask;; i = (i + 1) & mask)
        if (!m_slots[i] || m_slots[i]->IsSameAddress(record))
            return i;
}

void CAddressIndex::Add(CReflector *record)
{
    if (2 * (m_count + 1) > m_slots.size())
        Grow(2 * m_slots.size());
    CReflector *&slot = m_slots[SlotOf(*record)];
    if (slot)
        return;
    slot = record;
    ++m_count;
}

CReflector *CAddressIndex::Find(const CReflector &candidate) const
{
    return m_slots.empty() ? nullptr : m_slots[SlotOf(candidate)];
}

void CAddressIndex::Grow(std::size_t slotCount)
{
    std::size_t size = 64;
    while (size < slotCount)
        size *= 2;
    if (size <= m_slots.size())
        return;
    std::vector<CReflector *> old(size, nullptr);
    old.swap(m_slots);
    for (CReflector *record : old)
        if (record)
            m_slots[SlotOf(*record)] = record;
}
