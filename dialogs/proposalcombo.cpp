#include "dialogs/proposalcombo.h"

CProposalCombo::CProposalCombo(Order order, QWidget *parent) : QComboBox(parent), m_order(order)
{
    setEditable(true);
    // Typed text is a value, not a new proposal.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

bool CProposalCombo::AddProposal(const CText &text)
{
    const QString shown = text.toQString();
    if (IndexOf(shown, Qt::CaseInsensitive) >= 0)
        return false;
    int at = count();
    if (m_order == SortedIgnoringCase)
        for (at = 0; at < count(); ++at)
            if (shown.compare(itemText(at), Qt::CaseInsensitive) < 0)
                break;
    insertItem(at, shown);
    m_proposals.insert(m_proposals.begin() + at, text);
    return true;
}

void CProposalCombo::SelectProposal(const CText &text)
{
    const int index = IndexOf(text.toQString(), Qt::CaseSensitive);
    if (index < 0)
        return;
    setCurrentIndex(index);
    setEditText(itemText(index));
}

CText CProposalCombo::Text() const
{
    const QString shown = currentText();
    const int index = IndexOf(shown, Qt::CaseSensitive);
    return index >= 0 ? m_proposals[size_t(index)] : CText(shown.toUtf8());
}

int CProposalCombo::IndexOf(const QString &shown, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < count(); ++i)
        if (itemText(i).compare(shown, cs) == 0)
            return i;
    return -1;
}
