#pragma once

#include <QCoreApplication>
#include <QString>

#include <new>

// What a command says when it ran out of memory.
inline QString OutOfMemoryReason()
{
    return QCoreApplication::translate("OutOfMemory", "there is not enough memory");
}

// Runs `work` and answers what it answers. An allocation failure inside it
// answers false with `error` set to OutOfMemoryReason(), so that no input,
// however large, aborts the program: commands start their work through
// this, and whatever `work` had built is released on the way out.
template <typename Work>
bool CatchOutOfMemory(Work &&work, QString *error)
{
    try {
        return work();
    } catch (const std::bad_alloc &) {
        if (error)
            *error = OutOfMemoryReason();
        return false;
    }
}
