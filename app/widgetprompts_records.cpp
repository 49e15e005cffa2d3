// The record dialogs of CWidgetPrompts. Until the add/edit and conflict
// dialogs exist, both answer Cancel, which leaves the list unchanged.
#include "app/widgetprompts.h"

bool CWidgetPrompts::RunReflectorDialog(ReflectorValues &, bool)
{
    return false;
}

bool CWidgetPrompts::RunConflictDialog(const CReflector &, const CReflector &, const QString &, ReflectorValues &)
{
    return false;
}
