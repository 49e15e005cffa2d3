#pragma once

#include "data/reflectorvalues.h"
#include "dialogs/reflectorform.h"

#include <QDialog>

class CCountryCombo;
class CCountryTable;
class CProposalCombo;
class CUserPrompts;
class QLabel;
class QLineEdit;
class QPushButton;

// The modal dialog that sets a reflector about to be added beside the one
// already in the list with the same IP address. Every text field proposes
// the existing value and, where it differs, the new one; the user keeps
// what he wants and confirms ("Add/Update"), or cancels. The dialog only
// reads both records: the caller applies Values().
class CConflictDialog : public QDialog
{
    Q_OBJECT

public:
    CConflictDialog(CCountryTable &countries, CUserPrompts &prompts, const CReflector &existing,
                    const CReflector &candidate, const QString &explanation, QWidget *parent = nullptr);

    // The twelve values the fields hold now; the merged values after OK.
    ReflectorValues Values() const;

public slots:
    // Puts the existing reflector's values back into every field.
    void RestoreDefaults();
    // The OK step: the length limits, then the IP address check.
    void accept() override;

private:
    void BuildControls(const QString &explanation);
    void ApplyOkRule();

    CUserPrompts &m_prompts;
    const ReflectorValues m_existing;

    CProposalCombo *m_fullName;
    CProposalCombo *m_shortName;
    QLineEdit *m_ipAddress;
    CProposalCombo *m_conferenceId;
    CCountryCombo *m_country;
    ReflectorForm::FlagBoxes m_flags;
    CProposalCombo *m_contact;
    CProposalCombo *m_email;
    QPushButton *m_ok;
    QPushButton *m_default;
    QPushButton *m_cancel;
};
