#pragma once

#include <QValidator>

class QLineEdit;

// Limits what the user can type or paste into an edit, without touching a
// longer text that was already there (a record from a file may hold one;
// the dialog's OK step reports it). A change is refused when it would make
// the text longer than the limit, or, for a digits-only field, when it
// would bring in a character that is not a digit. A paste is cut to fit
// first (COneLinePaste), so that it is not refused whole.
class CTypingLimit : public QValidator
{
    Q_OBJECT

public:
    // Install after the edit's text is preset: the preset is taken as is.
    CTypingLimit(QLineEdit *edit, int maxLength, bool digitsOnly);

    State validate(QString &input, int &pos) const override;

private:
    QString m_before; // the text before the change being validated
    int m_maxLength;
    bool m_digitsOnly;
};
