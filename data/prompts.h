#pragma once

#include <QString>
#include <QStringList>

class CReflector;
struct ReflectorValues;

// Everything the document asks of the user goes through this seam: message
// boxes, file choosers and the record dialogs. The GUI answers with real
// dialogs; tests answer with scripted replies and no display.
class CUserPrompts
{
public:
    enum Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum Icon { Exclamation, Question, Information, Stop };
    enum Answer { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

    virtual ~CUserPrompts() = default;

    // A box captioned with the application name.
    virtual Answer MessageBox(const QString &text, Buttons buttons = Ok, Icon icon = Exclamation) = 0;
};
