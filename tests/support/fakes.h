#pragma once

#include "data/docview.h"
#include "data/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <set>
#include <vector>

// A list view without widgets: rows pointing to records, and a selection.
class FakeView : public CDocView
{
public:
    std::vector<CReflector *> rows;
    std::set<int> selected;
    int updates = 0;

    int GetRowCount() const override { return int(rows.size()); }
    CReflector *GetReflector(int row) const override;
    int InsertReflectorItem(int index, CReflector *record) override;
    void UpdateRow(int) override { ++updates; }
    int FindRow(const CReflector *record) const override;
    void SetRows(const ReflectorList &list) override;
    void ClearList() override;
    int GetNextSelected(int row) const override;
    int GetSelectedCount() const override { return int(selected.size()); }
};

// Answers message boxes from a script and records what was asked.
class FakePrompts : public CUserPrompts
{
public:
    QList<Answer> answers; // taken in order; IdOk / IdCancel when empty
    QStringList messages;

    Answer MessageBox(const QString &text, Buttons buttons, Icon icon) override;
};
