#include "view/listsearch.h"

#include "data/userprompts.h"
#include "resources/strings.h"
#include "view/core/findquery.h"
#include "view/finddialog.h"
#include "view/lodexview.h"

#include <QScrollBar>

CListSearch::CListSearch(CLodexView &view, CUserPrompts &prompts, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_prompts(prompts)
{
}

CListSearch::~CListSearch()
{
    delete m_pFindDialog;
}

void CListSearch::OnEditFind()
{
    if (!m_pFindDialog) {
        m_pFindDialog = new CFindDialog(m_view.window());
        connect(m_pFindDialog, &CFindDialog::findNext, this, &CListSearch::OnFindNext);
        connect(m_pFindDialog, &QDialog::finished, this, &CListSearch::OnFindDialogClosed);
    }
    m_pFindDialog->show();
    m_pFindDialog->raise();
    m_pFindDialog->activateWindow();
}

void CListSearch::OnFindDialogClosed()
{
    // The dialog deletes itself; a new Edit > Find makes a new one.
    m_pFindDialog = nullptr;
    m_nLastFound = -1;
}

void CListSearch::OnFindNext(const QString &text, bool wholeWord)
{
    const int hit = Search(text, wholeWord, m_nLastFound);
    if (hit >= 0)
        m_nLastFound = hit;
}

void CListSearch::OnRepeatFind()
{
    if (m_pFindDialog && !m_pFindDialog->FindText().isEmpty())
        OnFindNext(m_pFindDialog->FindText(), m_pFindDialog->MatchWholeWord());
    else if (!m_pFindDialog && !m_lastText.isEmpty())
        // The dialog's hit went with the dialog; the current row is the
        // last hit unless the user has moved since.
        Search(m_lastText, m_lastWholeWord, m_view.currentIndex().row());
    else
        OnEditFind();
}

int CListSearch::Search(const QString &text, bool wholeWord, int after)
{
    m_lastText = text;
    m_lastWholeWord = wholeWord;
    const FindStep step = FindNext(CFindQuery(text.toUtf8(), wholeWord), m_view.GetRowCount(), after,
                                   [this](int row) { return m_view.GetReflector(row); });
    if (step.hit < 0)
        m_prompts.MessageBox(LoadQString(Str::NoMatch));
    else
        ShowHit(step.hit, step.previousHit);
    return step.hit;
}

void CListSearch::ShowHit(int row, int previousHit)
{
    QItemSelectionModel *selection = m_view.selectionModel();
    const QAbstractItemModel *model = m_view.model();
    // A hit off-screen is no use: its row is scrolled into view, but the
    // columns stay where the user left them. The keyboard stays in the dialog.
    QScrollBar *columns = m_view.horizontalScrollBar();
    const int firstColumnShown = columns->value();
    if (previousHit >= 0)
        selection->select(model->index(previousHit, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    // Becoming the current row moves the focus mark; nothing else is cleared.
    selection->setCurrentIndex(model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_view.scrollTo(model->index(row, 0));
    columns->setValue(firstColumnShown);
}
