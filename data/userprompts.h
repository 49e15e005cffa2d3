#pragma once

#include <QString>
#include <QStringList>

class CReflector;
struct ReflectorValues;

// Everything the program asks of the user goes through this seam: message
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
    // The same with buttons of the program's own: answers the index of the
    // one chosen, or -1 when the box was closed without one. A
    // `defaultButton` is what Enter and Escape choose.
    virtual int Choose(const QString &text, const QStringList &buttons, Icon icon = Question, int defaultButton = -1) = 0;

    // A save dialog; `filters` in Qt's form ("LDX Files (*.ldx);;..."),
    // `defaultSuffix` without the dot. Confirms before an existing file is
    // overwritten. Answers the chosen path, or an empty string on Cancel.
    virtual QString GetSaveFileName(const QString &caption, const QString &proposedPath, const QString &filters,
                                    const QString &defaultSuffix) = 0;
    // An open dialog for existing files. Answers the chosen paths in the
    // dialog's order, or an empty list on Cancel.
    virtual QStringList GetOpenFileNames(const QString &caption, const QString &filters, bool multiple) = 0;

    // The add/edit dialog, preset with `values`; true on OK, with `values`
    // then holding what the user confirmed.
    virtual bool RunReflectorDialog(ReflectorValues &values, bool editMode) = 0;
    // The conflict dialog for `existing` against `candidate`; true on OK,
    // with `result` holding the twelve values the user confirmed.
    virtual bool RunConflictDialog(const CReflector &existing, const CReflector &candidate,
                                   const QString &explanation, ReflectorValues &result) = 0;
};
