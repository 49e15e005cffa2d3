#pragma once

#include "data/userprompts.h"

class CCountryTable;
class QWidget;

// The user prompts as real dialogs: message boxes captioned "Lodex", the
// desktop's file dialogs and the record dialogs, over the program's active
// dialog, or else the main window.
// The record dialogs offer the countries of `countries`.
class CWidgetPrompts : public CUserPrompts
{
public:
    explicit CWidgetPrompts(CCountryTable &countries, QWidget *parent = nullptr)
        : m_countries(countries), m_parent(parent)
    {
    }
    void SetParent(QWidget *parent) { m_parent = parent; }

    Answer MessageBox(const QString &text, Buttons buttons = Ok, Icon icon = Exclamation) override;
    int Choose(const QString &text, const QStringList &buttons, Icon icon = Question, int defaultButton = -1) override;
    QString GetSaveFileName(const QString &caption, const QString &proposedPath, const QString &filters,
                            const QString &defaultSuffix) override;
    QStringList GetOpenFileNames(const QString &caption, const QString &filters, bool multiple) override;

    // The record dialogs live in widgetprompts_records.cpp.
    bool RunReflectorDialog(ReflectorValues &values, bool editMode) override;
    bool RunConflictDialog(const CReflector &existing, const CReflector &candidate, const QString &explanation,
                           ReflectorValues &result) override;

private:
    QWidget *Parent() const;
    // Drops, with a word to the user, chosen names that stand for no file
    // exactly (see IsExactPath).
    QStringList ExactPaths(const QStringList &paths);

    CCountryTable &m_countries;
    QWidget *m_parent;
};
