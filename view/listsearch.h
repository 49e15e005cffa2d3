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
class CListSearch : public QObject
{
    Q_OBJECT

public:
    CListSearch(CLodexView &view, CUserPrompts &prompts, QObject *parent = nullptr);
    ~CListSearch() override;

    // Opens the dialog, or brings it forward with its text as left.
    void OnEditFind();
    // Searches for `text` (see CFindQuery) and shows the hit, or says
    // that nothing matches.
    void OnFindNext(const QString &text, bool wholeWord);
    // The key that repeats Find Next: with the dialog open, as its button;
    // closed, the last search again, from the current row on; with nothing
    // searched yet, it opens the dialog.
    void OnRepeatFind();

private:
    void OnFindDialogClosed();
    // The next match after row `after`; answers the row found, or -1.
    int Search(const QString &text, bool wholeWord, int after);
    void ShowHit(int row, int previousHit);

    CLodexView &m_view;
    CUserPrompts &m_prompts;
    QPointer<CFindDialog> m_pFindDialog;
    int m_nLastFound = -1;
    QString m_lastText; // of the last search, kept when the dialog closes
    bool m_lastWholeWord = false;
};
