#pragma once

#include <QStringList>
#include <QWidget>

// The control of `dialog` with that object name; a missing one ends the
// run, since every check after it would be meaningless.
template <class T> T *Control(const QWidget *dialog, const char *name)
{
    T *child = dialog->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

// The order in which Tab visits the controls named in `names`, once round
// from `start`.
inline QStringList TabOrder(QWidget *start, const QStringList &names)
{
    QStringList order;
    QWidget *w = start;
    do {
        if (names.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    return order;
}
