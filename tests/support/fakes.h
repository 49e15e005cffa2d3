#pragma once

#include "data/docview.h"
#include "data/lodexdoc.h"
#include "data/reflectorvalues.h"
#include "data/userprompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
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

// Answers from a script and records what was asked. Without a scripted
// answer a box answers OK (or Cancel where there is no OK) and every
// dialog is cancelled.
class FakePrompts : public CUserPrompts
{
public:
    QList<Answer> answers;            // message boxes, in order
    QStringList messages;             // texts of the boxes shown
    QStringList saveNames;            // save dialogs, in order
    QList<QStringList> openNames;     // open dialogs, in order
    QStringList fileDialogs;          // captions of the file dialogs shown
    std::function<bool(ReflectorValues &, bool editMode)> reflectorDialog;
    std::function<bool(const CReflector &, const CReflector &, const QString &, ReflectorValues &)> conflictDialog;
    int reflectorDialogs = 0;
    int conflictDialogs = 0;

    Answer MessageBox(const QString &text, Buttons buttons, Icon icon) override;
    QList<int> choices;               // Choose boxes, in order; when none is left, the default (or -1)
    int Choose(const QString &text, const QStringList &buttons, Icon icon, int defaultButton) override;
    QString GetSaveFileName(const QString &caption, const QString &proposedPath, const QString &filters,
                            const QString &defaultSuffix) override;
    QStringList GetOpenFileNames(const QString &caption, const QString &filters, bool multiple) override;
    bool RunReflectorDialog(ReflectorValues &values, bool editMode) override;
    bool RunConflictDialog(const CReflector &existing, const CReflector &candidate, const QString &explanation,
                           ReflectorValues &result) override;
};

// A document with a fake view and scripted prompts, made afresh, empty, by
// Reset().
struct FakeDocument {
    FakeView view;
    FakePrompts prompts;
    std::unique_ptr<CLodexDoc> doc;

    void Reset()
    {
        view = FakeView();
        prompts = FakePrompts();
        doc = std::make_unique<CLodexDoc>();
        doc->m_pView = &view;
        doc->m_pPrompts = &prompts;
    }
};
