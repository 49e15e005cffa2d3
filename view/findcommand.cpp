#include "view/findcommand.h"

#include "data/prompts.h"
#include "resources/strings.h"
#include "view/finddialog.h"
#include "view/findquery.h"
#include "view/lodexview.h"

#include <QScrollBar>

CFindCommand::CFindCommand(CLodexView &view, CUserPrompts &prompts, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_prompts(prompts)
{
}

CFindCommand::~CFindCommand()
{
    delete m_pFindDialog;
}

void CFindCommand::OnEditFind()
{
    if (!m_pFindDialog) {
        m_pFindDialog = new CFindDialog(m_view.window());
        connect(m_pFindDialog, &CFindDialog::findNext, this, &CFindCommand::OnFindNext);
        connect(m_pFindDialog, &QDialog::finished, this, &CFindCommand::OnFindDialogClosed);
    }
    m_pFindDialog->show();
    m_pFindDialog->raise();
    m_pFindDialog->activateWindow();
}

void CFindCommand::OnFindDialogClosed()
{
    // The dialog deletes itself; a new Edit > Find makes a new one.
    m_pFindDialog = nullptr;
    m_nLastFound = -1;
}

void CFindCommand::OnFindNext(const QString &text, bool wholeWord)
{
    const std::vector<CReflector *> &rows = m_view.Rows();
    const FindStep step = FindNext(CFindQuery(text.toUtf8(), wholeWord), int(rows.size()), m_nLastFound,
                                   [&rows](int row) { return rows[std::size_t(row)]; });
    if (step.hit < 0) {
        m_prompts.MessageBox(LoadQString(Str::NoMatch));
        return;
    }
    ShowHit(step.hit, step.previousHit);
}

void CFindCommand::ShowHit(int row, int previousHit)
{
    QItemSelectionModel *selection = m_view.selectionModel();
    const QAbstractItemModel *model = m_view.model();
    // A hit off-screen is no use: its row is scrolled into view, but the
    // columns stay where the user left them. The keyboard stays in the dialog.
    QScrollBar *columns = m_view.horizontalScrollBar();
    const int firstColumnShown = columns->value();
    if (previousHit >= 0)
        selection->select(model->index(previousHit, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    m_nLastFound = row;
    // Becoming the current row moves the focus mark; nothing else is cleared.
    selection->setCurrentIndex(model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_view.scrollTo(model->index(row, 0));
    columns->setValue(firstColumnShown);
}
