#pragma once

#include "data/reflectorvalues.h"
#include "dialogs/reflectorform.h"

#include <QDialog>

class CCountryCombo;
class CCountryTable;
class CUserPrompts;
class QLineEdit;
class QPushButton;

// The modal dialog in which the user types a new reflector (Add) or changes
// one (Edit). It knows nothing of the document: the caller presets the
// twelve values, runs it and, on OK, reads them back with Values().
class CReflectorDialog : public QDialog
{
    Q_OBJECT

public:
    // `preset` fills the fields; the country is chosen from `countries` by
    // its name. Messages go through `prompts`.
    CReflectorDialog(CCountryTable &countries, CUserPrompts &prompts, const ReflectorValues &preset,
                     bool editMode, QWidget *parent = nullptr);

    // The values the fields hold now; what the user confirmed after OK.
    // A text the user did not change comes back with its preset bytes.
    ReflectorValues Values() const;

public slots:
    // The OK step: the length limits, then the IP address check; closes
    // only when both pass.
    void accept() override;

private:
    void BuildControls();
    void ApplyOkRule();

    CUserPrompts &m_prompts;
    const ReflectorValues m_preset;

    QLineEdit *m_fullName;
    QLineEdit *m_shortName;
    QLineEdit *m_ipAddress;
    QLineEdit *m_conferenceId;
    CCountryCombo *m_country;
    ReflectorForm::FlagBoxes m_flags;
    QLineEdit *m_contact;
    QLineEdit *m_email;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
