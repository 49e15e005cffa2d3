#include "dialogs/reflectordialog.h"

#include "dialogs/countrycombo.h"
#include "dialogs/okstep.h"
#include "dialogs/onelinepaste.h"
#include "dialogs/reflectorform.h"
#include "dialogs/typinglimit.h"
#include "resources/strings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CReflectorDialog::CReflectorDialog(CCountryTable &countries, CUserPrompts &prompts, const ReflectorValues &preset,
                                   bool editMode, QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_preset(preset)
{
    BuildControls();

    const auto fill = [](QLineEdit *edit, const CText &text) { edit->setText(text.toQString()); };
    fill(m_fullName, preset.text[CReflector::ColFullName]);
    fill(m_shortName, preset.text[CReflector::ColShortName]);
    fill(m_ipAddress, preset.text[CReflector::ColIPAddress]);
    fill(m_conferenceId, preset.text[CReflector::ColConferenceID]);
    fill(m_contact, preset.text[CReflector::ColContact]);
    fill(m_email, preset.text[CReflector::ColEmail]);
    ReflectorForm::SetFlags(m_flags, preset.flag);

    // The limits bind typing only: a longer stored text is shown whole and
    // reported by the OK step.
    new CTypingLimit(m_ipAddress, ReflectorForm::kMaxAddressLength, false);
    new CTypingLimit(m_conferenceId, ReflectorForm::kMaxConferenceIdLength, true);
    for (QLineEdit *edit : {m_fullName, m_shortName, m_contact, m_email})
        new COneLinePaste(edit);

    m_country->Fill(countries);
    m_country->SetCode(preset.text[CReflector::ColLetters]);
    m_country->SelectStoredCountry(preset.text[CReflector::ColCountry], preset.text[CReflector::ColLetters]);

    setWindowTitle(LoadQString(editMode ? Str::EditCaption : Str::AddCaption));
    m_ok->setText(LoadQString(editMode ? Str::UpdateButton : Str::AddButton));

    connect(m_shortName, &QLineEdit::textChanged, this, &CReflectorDialog::ApplyOkRule);
    connect(m_ipAddress, &QLineEdit::textChanged, this, &CReflectorDialog::ApplyOkRule);
    ApplyOkRule();

    m_fullName->setFocus(Qt::OtherFocusReason);
}

void CReflectorDialog::BuildControls()
{
    setObjectName(QStringLiteral("reflectorDialog"));
    m_fullName = new QLineEdit(this);
    m_shortName = new QLineEdit(this);
    m_ipAddress = new QLineEdit(this);
    m_conferenceId = new QLineEdit(this);
    m_country = new CCountryCombo(this);
    m_flags = ReflectorForm::MakeFlagBoxes(this);
    m_contact = new QLineEdit(this);
    m_email = new QLineEdit(this);
    m_ok = ReflectorForm::Button(QString(), "okButton", this);
    m_ok->setDefault(true);
    m_cancel = ReflectorForm::Button(tr("Cancel"), "cancelButton", this);
    connect(m_ok, &QPushButton::clicked, this, &CReflectorDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CReflectorDialog::reject);

    const ReflectorForm::Fields fields{m_fullName, m_shortName, m_ipAddress, m_conferenceId,
                                       m_country,  m_flags,     m_contact,   m_email};
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ReflectorForm::ReflectorGroup(fields, this));
    layout->addWidget(ReflectorForm::ContactGroup(fields, this));
    layout->addLayout(ReflectorForm::ButtonRow({m_ok, m_cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ReflectorForm::SetTabOrder({m_fullName, m_shortName, m_ipAddress, m_conferenceId, m_country, m_flags[0],
                                m_flags[1], m_flags[2], m_flags[3], m_contact, m_email, m_ok, m_cancel});
}

void CReflectorDialog::ApplyOkRule()
{
    m_ok->setEnabled(!m_shortName->text().isEmpty() && !m_ipAddress->text().isEmpty());
}

ReflectorValues CReflectorDialog::Values() const
{
    ReflectorValues v;
    const auto kept = [this, &v](CReflector::Column column, const QLineEdit *edit) {
        v.text[column] = KeptText(edit->text(), m_preset.text[column]);
    };
    v.text[CReflector::ColCountry] = m_country->SelectedName();
    v.text[CReflector::ColLetters] = m_country->Code();
    kept(CReflector::ColFullName, m_fullName);
    kept(CReflector::ColShortName, m_shortName);
    kept(CReflector::ColIPAddress, m_ipAddress);
    kept(CReflector::ColContact, m_contact);
    kept(CReflector::ColEmail, m_email);
    kept(CReflector::ColConferenceID, m_conferenceId);
    ReflectorForm::GetFlags(m_flags, v.flag);
    return v;
}

void CReflectorDialog::accept()
{
    // Enter reaches here only through an enabled OK; a direct call must
    // not slip past the rule either.
    if (!m_ok->isEnabled())
        return;
    using namespace ReflectorForm;
    if (!OkStep::CheckLengths(m_prompts, {{m_ipAddress, m_ipAddress->text(), kMaxAddressLength, true},
                                          {m_conferenceId, m_conferenceId->text(), kMaxConferenceIdLength, true}}))
        return;
    if (!OkStep::CheckAddress(m_prompts, Values().text[CReflector::ColIPAddress]))
        return;
    QDialog::accept();
}
