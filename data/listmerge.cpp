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

CListMerge::CListMerge(CLodexDoc &doc, CListChange &change, Mode mode, std::size_t expected)
    : m_doc(doc), m_change(change), m_mode(mode)
{
    if (m_mode == Mode::Batch)
        m_index.Build(m_doc.m_listReflectors, expected);
}

std::size_t CListMerge::CountTaken(const std::vector<MergeCandidate> &candidates)
{
    CAddressIndex seen;
    seen.Build(m_doc.m_listReflectors, candidates.size());
    std::size_t taken = 0;
    for (const MergeCandidate &c : candidates) {
        if (seen.Find(*c.record))
            ++taken;
        else
            seen.Add(c.record.get());
    }
    return taken;
}

CReflector *CListMerge::Find(const CReflector &candidate) const
{
    return m_mode == Mode::Batch ? m_index.Find(candidate) : m_doc.FindByAddress(candidate);
}

CLodexDoc::MergeResult CListMerge::Merge(MergeCandidate candidate, Conflicts conflicts)
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
    if (m_mode == Mode::Batch && SameValues(match, *ReflectorValues::FromRecord(values).MakeRecord()))
        return CLodexDoc::MergeResult::LeftAlone;
    m_doc.SetModifiedFlag(true);
    m_change.RecordAssign(match, values);
    if (m_mode == Mode::RowByRow && m_doc.m_pView) {
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
    if (m_mode == Mode::Batch)
        m_index.Add(added);
    else if (m_doc.m_pView)
        added->AddToView(-1, *m_doc.m_pView);
    return CLodexDoc::MergeResult::Added;
}
