#pragma once

#include "view/finddialog.h"

#include <QObject>
#include <QPointer>

class CLodexView;
class CUserPrompts;

// Edit > Find on the list: the modeless find dialog and the row of its
// last hit. Each Find Next selects the next matching row after that hit
// and deselects the hit before it; other selected rows stay selected.
// Closing the dialog forgets the hit.
class CFindCommand : public QObject
{
    Q_OBJECT

public:
    CFindCommand(CLodexView &view, CUserPrompts &prompts, QObject *parent = nullptr);
    ~CFindCommand() override;

    // Opens the dialog, or brings it forward with its text as left.
    void OnEditFind();
    // Searches for `text` (see CFindQuery) and shows the hit, or says
    // that nothing matches.
    void OnFindNext(const QString &text, bool wholeWord);

    CFindDialog *FindDialog() const { return m_pFindDialog; }
    int LastFound() const { return m_nLastFound; }

private:
    void OnFindDialogClosed();
    void ShowHit(int row, int previousHit);

    CLodexView &m_view;
    CUserPrompts &m_prompts;
    QPointer<CFindDialog> m_pFindDialog;
    int m_nLastFound = -1;
};
