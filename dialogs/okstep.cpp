#include "dialogs/okstep.h"

#include "data/userprompts.h"
#include "dialogs/core/ipaddress.h"
#include "resources/strings.h"

#include <QLineEdit>
#include <QWidget>

namespace OkStep {

QString LengthWarning(int maxLength)
{
    return LoadQString(Str::FieldTooLong).arg(maxLength);
}

bool CheckLengths(CUserPrompts &prompts, std::initializer_list<LengthLimit> limits)
{
    for (const LengthLimit &limit : limits) {
        if (limit.text.size() <= limit.maxLength)
            continue;
        prompts.MessageBox(LengthWarning(limit.maxLength), CUserPrompts::Ok, CUserPrompts::Exclamation);
        limit.field->setFocus(Qt::OtherFocusReason);
        if (limit.selectText)
            if (auto *edit = qobject_cast<QLineEdit *>(limit.field))
                edit->selectAll();
        return false;
    }
    return true;
}

bool CheckAddress(CUserPrompts &prompts, const CText &address)
{
    if (IsValidIPAddress(address.view()))
        return true;
    prompts.MessageBox(LoadQString(Str::InvalidIPAddress), CUserPrompts::Ok,
                       CUserPrompts::Exclamation);
    return false;
}

} // namespace OkStep

CText KeptText(const QString &shown, const CText &original)
{
    return shown == original.toQString() ? original : CText(shown.toUtf8());
}
