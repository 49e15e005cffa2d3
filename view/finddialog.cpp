#include "view/finddialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFindDialog::CFindDialog(QWidget *parent)
    : QDialog(parent)
    , m_pText(new QLineEdit(this))
    , m_pWholeWord(new QCheckBox(tr("Match &whole word only"), this))
    , m_pFindNext(new QPushButton(tr("&Find Next"), this))
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(tr("Find"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    m_pText->setObjectName(QStringLiteral("findText"));
    m_pText->setMaxLength(kMaxTextLength);
    m_pText->setMinimumWidth(m_pText->fontMetrics().averageCharWidth() * 32);
    m_pWholeWord->setObjectName(QStringLiteral("matchWholeWord"));
    m_pFindNext->setObjectName(QStringLiteral("findNext"));
    m_pFindNext->setDefault(true);
    m_pFindNext->setEnabled(false);

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(m_pFindNext, QDialogButtonBox::ActionRole);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));

    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(m_pText);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_pText, 0, 1);
    layout->addWidget(m_pWholeWord, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->addWidget(buttons, 0, 2, 3, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // As the desktop's find dialogs do, there is nothing to look for
    // until something is typed.
    connect(m_pText, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_pFindNext->setEnabled(!text.isEmpty()); });
    connect(m_pFindNext, &QPushButton::clicked, this, [this] { emit findNext(FindText(), MatchWholeWord()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
}

QString CFindDialog::FindText() const
{
    return m_pText->text();
}

bool CFindDialog::MatchWholeWord() const
{
    return m_pWholeWord->isChecked();
}
