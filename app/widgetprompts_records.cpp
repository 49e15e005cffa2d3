// The record dialogs of CWidgetPrompts.
#include "app/widgetprompts.h"

#include "dialogs/conflictdialog.h"
#include "dialogs/reflectordialog.h"

bool CWidgetPrompts::RunReflectorDialog(ReflectorValues &values, bool editMode)
{
    CReflectorDialog dialog(m_countries, *this, values, editMode, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool CWidgetPrompts::RunConflictDialog(const CReflector &existing, const CReflector &candidate,
                                       const QString &explanation, ReflectorValues &result)
{
    CConflictDialog dialog(m_countries, *this, existing, candidate, explanation, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = dialog.Values();
    return true;
}
