#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

// Names compared without regard to case, as profile files compare section
// and key names.

class CClientCodePage;

// `text` folded: ASCII letters always, other letters too when the text is
// valid UTF-8 (decoding anything else would map different bytes to the same
// replacement characters). With a code page (other than UTF-8), the text is
// in that code page and its letters fold as they read there.
QByteArray FoldCase(QByteArrayView text, const CClientCodePage *codePage = nullptr);
// The same into `out`, whose storage is reused.
void FoldCaseInto(QByteArray &out, QByteArrayView text, const CClientCodePage *codePage = nullptr);
// Whether `name` folds to `folded`; no allocation for ASCII names.
bool MatchesFolded(QByteArrayView name, QByteArrayView folded, const CClientCodePage *codePage = nullptr);

// A name as written on one line (CR and LF as spaces), folded and hashed:
// what a name is looked up by.
class CFoldedName
{
public:
    CFoldedName() = default;
    explicit CFoldedName(QByteArrayView name, const CClientCodePage *codePage = nullptr) { Set(name, codePage); }
    // Reuses the storage: a loop over many names allocates once.
    void Set(QByteArrayView name, const CClientCodePage *codePage = nullptr);

    const QByteArray &folded() const { return m_folded; }
    uint64_t hash() const { return m_hash; }

private:
    QByteArray m_folded;
    uint64_t m_hash = 0;
};

// Ids of names by the low 32 bits of the hash of their folded form. It
// keeps no names: for a hash that matches, the caller's `matches(id)`
// checks the name itself. Open addressing with 8-byte slots, half full at
// most, so that a million names cost little memory and a look-up one cache
// miss, which Prefetch can start early. A QHash of ids in its place took
// 65% more processor time to write a new 1,000,000-section phonebook
// (BENCHMARKS.md).
class CFoldedNameIndex
{
public:
    // Room for `count` names in all.
    void Reserve(std::size_t count);

    template <typename Matches> int Find(uint32_t hash, Matches &&matches) const
    {
        if (m_slots.empty())
            return -1;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot &slot = m_slots[i];
            if (slot.id < 0)
                return -1;
            if (slot.hash == hash && matches(slot.id))
                return slot.id;
        }
    }

    // Adds `id` under the hash of a name whose id it does not hold yet.
    void Insert(uint32_t hash, int id);

    // Starts loading the slot where a look-up of `hash` begins: look-ups
    // whose hashes are known ahead then wait for memory together, not one
    // after the other.
    void Prefetch(uint32_t hash) const
    {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
    }

private:
    struct Slot {
        uint32_t hash;
        int32_t id; // -1: free
    };
    void Grow(std::size_t slotCount);

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};
