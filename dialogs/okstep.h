#pragma once

#include "data/text.h"

#include <QString>

#include <initializer_list>

class CUserPrompts;
class QWidget;

// The checks that both reflector dialogs run when OK is pressed, before
// they close: the length limits, then the IP address.
namespace OkStep {

struct LengthLimit {
    QWidget *field;    // takes the focus when the text is too long
    QString text;      // the field's text as the user sees it
    int maxLength;
    bool selectText;   // select the field's text as well (plain edits)
};

// The length warning for the first text longer than its limit, in the
// order given, with the focus moved to that field. True when all fit.
bool CheckLengths(CUserPrompts &prompts, std::initializer_list<LengthLimit> limits);

// "Invalid IP address !" unless the address passes IsValidIPAddress; the
// dialog stays as it is. True when it passes.
bool CheckAddress(CUserPrompts &prompts, const CText &address);

// The warning's text for a field of at most `maxLength` characters.
QString LengthWarning(int maxLength);

} // namespace OkStep

// The bytes a field gives back: the original text when the field still
// shows it, so that texts the user did not touch keep their exact bytes
// even when they are not valid in the code page; else what is shown now.
CText KeptText(const QString &shown, const CText &original);
