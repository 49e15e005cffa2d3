#include "support/fakes.h"

#include <algorithm>

CReflector *FakeView::GetReflector(int row) const
{
    return row >= 0 && row < int(rows.size()) ? rows[size_t(row)] : nullptr;
}

int FakeView::InsertReflectorItem(int index, CReflector *record)
{
    if (index < 0 || index > int(rows.size()))
        index = int(rows.size());
    rows.insert(rows.begin() + index, record);
    return index;
}

int FakeView::FindRow(const CReflector *record) const
{
    const auto it = std::find(rows.begin(), rows.end(), record);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

void FakeView::SetRows(const ReflectorList &list)
{
    ClearList();
    for (const auto &record : list)
        rows.push_back(record.get());
}

void FakeView::ClearList()
{
    rows.clear();
    selected.clear();
}

int FakeView::GetNextSelected(int row) const
{
    const auto it = selected.upper_bound(row);
    return it == selected.end() ? -1 : *it;
}

CUserPrompts::Answer FakePrompts::MessageBox(const QString &text, Buttons buttons, Icon)
{
    messages << text;
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Ok || buttons == OkCancel ? IdOk : IdCancel;
}

int FakePrompts::Choose(const QString &text, const QStringList &, Icon, int defaultButton)
{
    messages << text;
    return choices.isEmpty() ? defaultButton : choices.takeFirst();
}

QString FakePrompts::GetSaveFileName(const QString &caption, const QString &, const QString &, const QString &)
{
    fileDialogs << caption;
    return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
}

QStringList FakePrompts::GetOpenFileNames(const QString &caption, const QString &, bool)
{
    fileDialogs << caption;
    return openNames.isEmpty() ? QStringList() : openNames.takeFirst();
}

bool FakePrompts::RunReflectorDialog(ReflectorValues &values, bool editMode)
{
    ++reflectorDialogs;
    return reflectorDialog && reflectorDialog(values, editMode);
}

bool FakePrompts::RunConflictDialog(const CReflector &existing, const CReflector &candidate,
                                    const QString &explanation, ReflectorValues &result)
{
    ++conflictDialogs;
    return conflictDialog && conflictDialog(existing, candidate, explanation, result);
}
