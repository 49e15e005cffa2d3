#include "dialogs/conflictdialog.h"

#include "dialogs/countrycombo.h"
#include "dialogs/okstep.h"
#include "dialogs/proposalcombo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kLabelWidth = 400;

const char *const kIntroduction =
    QT_TRANSLATE_NOOP("CConflictDialog", "A reflector with the same IP address as the one you provided already "
                                         "exists in the database. Please either modify the IP address to create a "
                                         "new entry or choose to update the original reflector.");

QLabel *WrappedLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setMinimumWidth(kLabelWidth);
    return label;
}

} // namespace

CConflictDialog::CConflictDialog(CCountryTable &countries, CUserPrompts &prompts, const CReflector &existing,
                                 const CReflector &candidate, const QString &explanation, QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_existing(ReflectorValues::FromRecord(existing))
{
    BuildControls(explanation);

    const std::pair<CProposalCombo *, CReflector::Column> lists[] = {
        {m_fullName, CReflector::ColFullName},   {m_shortName, CReflector::ColShortName},
        {m_conferenceId, CReflector::ColConferenceID}, {m_contact, CReflector::ColContact},
        {m_email, CReflector::ColEmail}};
    for (const auto &[list, column] : lists) {
        list->AddProposal(existing.Text(column));
        list->AddProposal(candidate.Text(column));
    }
    m_country->Fill(countries);

    RestoreDefaults();

    connect(m_ipAddress, &QLineEdit::textChanged, this, &CConflictDialog::ApplyOkRule);
    // Covers typing and choosing another proposal alike.
    connect(m_shortName, &QComboBox::editTextChanged, this, &CConflictDialog::ApplyOkRule);
    ApplyOkRule();

    m_country->setFocus(Qt::OtherFocusReason);
}

void CConflictDialog::BuildControls(const QString &explanation)
{
    setObjectName(QStringLiteral("conflictDialog"));
    setWindowTitle(tr("Resolve Conflicting Reflector"));

    m_fullName = new CProposalCombo(CProposalCombo::InsertionOrder, this);
    m_shortName = new CProposalCombo(CProposalCombo::InsertionOrder, this);
    m_ipAddress = new QLineEdit(this);
    m_conferenceId = new CProposalCombo(CProposalCombo::SortedIgnoringCase, this);
    m_country = new CCountryCombo(this);
    m_flags = ReflectorForm::MakeFlagBoxes(this);
    m_contact = new CProposalCombo(CProposalCombo::SortedIgnoringCase, this);
    m_email = new CProposalCombo(CProposalCombo::SortedIgnoringCase, this);

    m_ok = ReflectorForm::Button(tr("Add/Update"), "okButton", this);
    m_ok->setDefault(true);
    m_default = ReflectorForm::Button(tr("Default"), "defaultButton", this);
    m_cancel = ReflectorForm::Button(tr("Cancel"), "cancelButton", this);
    connect(m_ok, &QPushButton::clicked, this, &CConflictDialog::accept);
    connect(m_default, &QPushButton::clicked, this, &CConflictDialog::RestoreDefaults);
    connect(m_cancel, &QPushButton::clicked, this, &CConflictDialog::reject);

    const ReflectorForm::Fields fields{m_fullName, m_shortName, m_ipAddress, m_conferenceId,
                                       m_country,  m_flags,     m_contact,   m_email};
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(WrappedLabel(tr(kIntroduction), "introduction", this));
    layout->addWidget(WrappedLabel(explanation, "explanation", this));
    layout->addWidget(ReflectorForm::ReflectorGroup(fields, this));
    layout->addWidget(ReflectorForm::ContactGroup(fields, this));
    layout->addLayout(ReflectorForm::ButtonRow({m_ok, m_default, m_cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The order of the dialog's template, which puts the country list first
    // so that it has the focus on opening.
    ReflectorForm::SetTabOrder({m_country, m_flags[0], m_flags[1], m_flags[2], m_flags[3], m_ok, m_cancel,
                                m_fullName, m_shortName, m_contact, m_email, m_conferenceId, m_ipAddress,
                                m_default});
}

void CConflictDialog::RestoreDefaults()
{
    m_fullName->SelectProposal(m_existing.text[CReflector::ColFullName]);
    m_shortName->SelectProposal(m_existing.text[CReflector::ColShortName]);
    m_conferenceId->SelectProposal(m_existing.text[CReflector::ColConferenceID]);
    m_contact->SelectProposal(m_existing.text[CReflector::ColContact]);
    m_email->SelectProposal(m_existing.text[CReflector::ColEmail]);
    m_ipAddress->setText(m_existing.text[CReflector::ColIPAddress].toQString());
    ReflectorForm::SetFlags(m_flags, m_existing.flag);
    m_country->SelectStoredCountry(m_existing.text[CReflector::ColCountry], m_existing.text[CReflector::ColLetters]);
}

void CConflictDialog::ApplyOkRule()
{
    m_ok->setEnabled(!m_shortName->currentText().isEmpty() && !m_ipAddress->text().isEmpty());
}

ReflectorValues CConflictDialog::Values() const
{
    ReflectorValues v;
    v.text[CReflector::ColCountry] = m_country->SelectedName();
    v.text[CReflector::ColLetters] = m_country->Code();
    v.text[CReflector::ColFullName] = m_fullName->Text();
    v.text[CReflector::ColShortName] = m_shortName->Text();
    v.text[CReflector::ColIPAddress] =
        KeptText(m_ipAddress->text(), m_existing.text[CReflector::ColIPAddress]);
    v.text[CReflector::ColContact] = m_contact->Text();
    v.text[CReflector::ColEmail] = m_email->Text();
    v.text[CReflector::ColConferenceID] = m_conferenceId->Text();
    ReflectorForm::GetFlags(m_flags, v.flag);
    return v;
}

void CConflictDialog::accept()
{
    if (!m_ok->isEnabled())
        return;
    using namespace ReflectorForm;
    if (!OkStep::CheckLengths(m_prompts,
                              {{m_conferenceId, m_conferenceId->currentText(), kMaxConferenceIdLength, false},
                               {m_ipAddress, m_ipAddress->text(), kMaxAddressLength, false}}))
        return;
    if (!OkStep::CheckAddress(m_prompts, Values().text[CReflector::ColIPAddress]))
        return;
    QDialog::accept();
}
