#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor over the whole program for as long as it lives, for work
// the user cannot interrupt (a sort, a print job). Ones within ones stack.
// End it before any message shows.
class CBusyCursor
{
public:
    CBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    CBusyCursor(const CBusyCursor &) = delete;
    CBusyCursor &operator=(const CBusyCursor &) = delete;
};
