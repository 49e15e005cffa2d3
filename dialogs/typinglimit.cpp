#include "dialogs/typinglimit.h"

#include "dialogs/onelinepaste.h"

#include <QLineEdit>

#include <algorithm>

namespace {

qsizetype nonDigits(const QString &text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c < u'0' || c > u'9'; });
}

} // namespace

CTypingLimit::CTypingLimit(QLineEdit *edit, int maxLength, bool digitsOnly)
    : QValidator(edit), m_before(edit->text()), m_maxLength(maxLength), m_digitsOnly(digitsOnly)
{
    edit->setValidator(this);
    new COneLinePaste(edit, maxLength);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_before = text; });
}

QValidator::State CTypingLimit::validate(QString &input, int &) const
{
    if (input.size() > m_maxLength && input.size() > m_before.size())
        return Invalid;
    if (m_digitsOnly && nonDigits(input) > nonDigits(m_before))
        return Invalid;
    return Acceptable;
}
