#include "data/listmerge.h"

#include "data/docview.h"
#include "data/listchange.h"
#include "data/reflectorvalues.h"
#include "data/userprompts.h"
#include "resources/strings.h"

namespace {

bool SameValues(const CReflector &a, const CReflector &b)
{
    for (int i = 0; i < CReflector::kTextCount; ++i)
        if (a.Text(i) != b.Text(i))
            return false;
    for (int i = 0; i < 4; ++i)
        if (a.Flag(i) != b.Flag(i))
            return false;
    return true;
}

// `match` with the fields `fields` of `source`, trimmed as a record is.
std::unique_ptr<CReflector> TakeFields(const CReflector &match, const CReflector &source, unsigned fields)
{
    ReflectorValues values = ReflectorValues::FromRecord(match);
    const ReflectorValues taken = ReflectorValues::FromRecord(source);
    for (int i = 0; i < CReflector::kTextCount; ++i)
        if (fields & FieldMask::Bit(i))
            values.text[i] = taken.text[i];
    for (int i = 0; i < 4; ++i)
        if (fields & FieldMask::Bit(CReflector::kTextCount + i))
            values.flag[i] = taken.flag[i];
    return values.MakeRecord();
}

} // namespace

CLodexDoc::MergeResult CListMerge::Merge(MergeCandidate candidate, Conflicts conflicts)
{
    m_batch = false;
    return Settle(std::move(candidate), conflicts);
}

std::size_t CListMerge::CountTaken(const std::vector<MergeCandidate> &candidates)
{
    m_index.Build(m_doc.m_listReflectors, candidates.size());
    m_taken.assign(candidates.size(), false);
    std::size_t taken = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (m_index.FindOrAdd(candidates[i].record.get())) {
            m_taken[i] = true;
            ++taken;
        }
    }
    return taken;
}

void CListMerge::MergeAll(std::vector<MergeCandidate> &candidates, Conflicts conflicts,
                          const std::function<void(CLodexDoc::MergeResult)> &tally)
{
    m_batch = true;
    // The dialog may give a candidate the address of a later one, which the
    // index must not find before it is in the list: index the list alone.
    if (conflicts == Conflicts::Ask) {
        m_index.Build(m_doc.m_listReflectors, candidates.size());
        m_taken.assign(candidates.size(), true);
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (m_taken[i]) {
            tally(Settle(std::move(candidates[i]), conflicts));
            continue;
        }
        // The first of its address, indexed already: it goes in as it is.
        m_change.RecordAppend(m_doc.m_listReflectors, std::move(candidates[i].record));
        m_doc.SetModifiedFlag(true);
        tally(CLodexDoc::MergeResult::Added);
    }
}

CReflector *CListMerge::Find(const CReflector &candidate) const
{
    return m_batch ? m_index.Find(candidate) : m_doc.FindByAddress(candidate);
}

CLodexDoc::MergeResult CListMerge::Settle(MergeCandidate candidate, Conflicts conflicts)
{
    CReflector &record = *candidate.record;
    for (CReflector *match = Find(record); match; match = Find(record)) {
        switch (conflicts) {
        case Conflicts::KeepList:
            return CLodexDoc::MergeResult::LeftAlone;
        case Conflicts::TakeNew:
            return Update(*match, *TakeFields(*match, record, candidate.fields));
        case Conflicts::Ask:
            break;
        }
        ReflectorValues merged;
        if (!m_doc.m_pPrompts
            || !m_doc.m_pPrompts->RunConflictDialog(*match, record, LoadQString(Str::ConflictExplanation), merged))
            return CLodexDoc::MergeResult::LeftAlone;
        // As confirmed, untrimmed: a record that ends up added keeps them so.
        merged.StoreRaw(record);
        if (record.IsSameAddress(*match))
            return Update(*match, record);
    }
    return Append(std::move(candidate.record));
}

CLodexDoc::MergeResult CListMerge::Update(CReflector &match, const CReflector &values)
{
    if (m_batch && SameValues(match, *ReflectorValues::FromRecord(values).MakeRecord()))
        return CLodexDoc::MergeResult::LeftAlone;
    m_doc.SetModifiedFlag(true);
    m_change.RecordAssign(match, values);
    if (!m_batch && m_doc.m_pView) {
        const int row = m_doc.m_pView->FindRow(&match);
        if (row >= 0)
            match.UpdateViewItem(row, *m_doc.m_pView);
    }
    return CLodexDoc::MergeResult::Updated;
}

CLodexDoc::MergeResult CListMerge::Append(std::unique_ptr<CReflector> candidate)
{
    CReflector *added = m_change.RecordAppend(m_doc.m_listReflectors, std::move(candidate));
    m_doc.SetModifiedFlag(true);
    if (m_batch)
        m_index.FindOrAdd(added);
    else if (m_doc.m_pView)
        added->AddToView(-1, *m_doc.m_pView);
    return CLodexDoc::MergeResult::Added;
}
