// The document's Add and Edit commands and the add-or-merge step behind them.
#include "data/lodexdoc.h"

#include "data/docview.h"
#include "data/listchange.h"
#include "data/listmerge.h"
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
    UndoStep step(*this, Str::StepEdit);
    if (!candidate->IsSameAddress(*edited)) {
        AddOrMerge(std::move(candidate));
        return;
    }
    SetModifiedFlag(true);
    step.Change().RecordAssign(*edited, *candidate);
    edited->UpdateViewItem(row, *m_pView);
}

CLodexDoc::MergeResult CLodexDoc::AddOrMerge(std::unique_ptr<CReflector> candidate)
{
    UndoStep step(*this, Str::StepAdd);
    CListMerge merge(*this, step.Change());
    return merge.Merge({std::move(candidate)}, CListMerge::Conflicts::Ask);
}
