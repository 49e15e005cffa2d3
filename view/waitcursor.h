#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the busy cursor for the lifetime of the object, around printing.
// Other long work marks the document busy instead (CLodexDoc::BusyScope),
// which the main window shows as this same cursor.
class CWaitCursor
{
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};
