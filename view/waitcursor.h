#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the busy cursor for the lifetime of the object: wrap any step that
// can take more than a moment on a long list (open, save, sort, export).
class CWaitCursor
{
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};
