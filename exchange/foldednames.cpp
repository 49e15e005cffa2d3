#include "exchange/foldednames.h"

#include "base/asciicase.h"
#include "data/storedtext.h"
#include "exchange/clientcodepage.h"

#include <QHash>
#include <QString>

#include <algorithm>

void FoldCaseInto(QByteArray &out, QByteArrayView text, const CClientCodePage *codePage)
{
    out.resize(text.size());
    std::transform(text.begin(), text.end(), out.data(), AsciiLower);
    if (IsAscii(text))
        return;
    if (codePage && !codePage->IsUtf8()) {
        out = codePage->ToUnicode(text).toCaseFolded().toUtf8();
        return;
    }
    if (StoredText::IsUtf8(text))
        out = QString::fromUtf8(text).toCaseFolded().toUtf8();
}

QByteArray FoldCase(QByteArrayView text, const CClientCodePage *codePage)
{
    QByteArray folded;
    FoldCaseInto(folded, text, codePage);
    return folded;
}

bool MatchesFolded(QByteArrayView name, QByteArrayView folded, const CClientCodePage *codePage)
{
    if (!IsAscii(name))
        return FoldCase(name, codePage) == folded;
    return name.size() == folded.size()
           && std::equal(name.begin(), name.end(), folded.begin(), [](char a, char b) { return AsciiLower(a) == b; });
}

void CFoldedName::Set(QByteArrayView name, const CClientCodePage *codePage)
{
    FoldCaseInto(m_folded, name, codePage);
    std::replace_if(m_folded.begin(), m_folded.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    m_hash = uint64_t(qHash(QByteArrayView(m_folded)));
}

void CFoldedNameIndex::Reserve(std::size_t count)
{
    if (count * 2 > m_slots.size())
        Grow(count * 2);
}

void CFoldedNameIndex::Insert(uint32_t hash, int id)
{
    if ((m_count + 1) * 2 > m_slots.size())
        Grow(std::max<std::size_t>(64, m_slots.size() * 2));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i].id >= 0)
        i = (i + 1) & mask;
    m_slots[i] = {hash, id};
    ++m_count;
}

void CFoldedNameIndex::Grow(std::size_t slotCount)
{
    std::size_t size = 64;
    while (size < slotCount)
        size *= 2;
    if (size <= m_slots.size())
        return;
    std::vector<Slot> old(size, Slot{0, -1});
    old.swap(m_slots);
    const std::size_t mask = size - 1;
    for (const Slot &slot : old) {
        if (slot.id < 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
