#pragma once

#include "data/text.h"

#include <QComboBox>

#include <vector>

// An editable field with a drop-down list of proposed texts: the user picks
// a proposal or types any text. Proposals keep their original bytes, which
// the field gives back while it shows one of them unchanged.
class CProposalCombo : public QComboBox
{
    Q_OBJECT

public:
    enum Order { InsertionOrder, SortedIgnoringCase };

    explicit CProposalCombo(Order order, QWidget *parent = nullptr);

    // Adds `text` unless a proposal equals it ignoring case. True if added.
    bool AddProposal(const CText &text);

    // Selects the proposal equal to `text` and shows it in the field, also
    // when it was selected already but the field has been edited since.
    void SelectProposal(const CText &text);

    // The field's text: a proposal's own bytes when it shows one.
    CText Text() const;

private:
    int IndexOf(const QString &shown, Qt::CaseSensitivity cs) const;

    Order m_order;
    std::vector<CText> m_proposals; // parallel to the entries
};
