// The document's Add and Edit commands and the add-or-merge step behind them.
#include "data/lodexdoc.h"

#include "data/docview.h"
#include "data/reflectorvalues.h"
#include "data/userprompts.h"
#include "resources/strings.h"

void CLodexDoc::OnReflectorAdd()
{
    if (!m_pPrompts)
        return;
    ReflectorValues values;
    // The dialog's own starting code, kept when it finds no country to
    // select (an empty country table).
    values.text[CReflector::ColLetters] = "??";
    values.text[CReflector::ColConferenceID] = "0";
    for (int &flag : values.flag)
        flag = 1;
    if (!m_pPrompts->RunReflectorDialog(values, false))
        return;
    AddOrMerge(values.MakeRecord());
}

void CLodexDoc::OnReflectorEdit()
{
    if (!m_pView || !m_pPrompts)
        return;
    const int row = m_pView->GetNextSelected(-1);
    CReflector *edited = m_pView->GetReflector(row);
    if (!edited)
        return;
    ReflectorValues values = ReflectorValues::FromRecord(*edited);
    if (!m_pPrompts->RunReflectorDialog(values, true))
        return;
    std::unique_ptr<CReflector> candidate = values.MakeRecord();
    if (!candidate->IsSameAddress(*edited)) {
        AddOrMerge(std::move(candidate));
        return;
    }
    *edited = *candidate;
    SetModifiedFlag(true);
    edited->UpdateViewItem(row, *m_pView);
}

CLodexDoc::MergeResult CLodexDoc::AddOrMerge(std::unique_ptr<CReflector> candidate)
{
    const QString explanation = LoadQString(Str::ConflictExplanation);
    for (CReflector *match = FindByAddress(*candidate); match; match = FindByAddress(*candidate)) {
        ReflectorValues merged;
        if (!m_pPrompts || !m_pPrompts->RunConflictDialog(*match, *candidate, explanation, merged))
            return MergeResult::LeftAlone;
        // As confirmed, untrimmed: a record that ends up added keeps them so.
        merged.StoreRaw(*candidate);
        if (candidate->IsSameAddress(*match)) {
            *match = *candidate;
            SetModifiedFlag(true);
            if (m_pView) {
                const int row = m_pView->FindRow(match);
                if (row >= 0)
                    match->UpdateViewItem(row, *m_pView);
            }
            return MergeResult::Updated;
        }
    }
    CReflector *added = candidate.get();
    m_listReflectors.push_back(std::move(candidate));
    SetModifiedFlag(true);
    if (m_pView)
        added->AddToView(-1, *m_pView);
    return MergeResult::Added;
}
