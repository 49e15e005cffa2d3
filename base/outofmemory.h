#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <new>
#include <utility>

// What a command says when it ran out of memory.
inline QString OutOfMemoryReason()
{
    return QCoreApplication::translate("OutOfMemory", "there is not enough memory");
}

// Thrown before a large allocation that the machine cannot give, with the
// reason in the user's words.
class CNotEnoughMemory : public std::bad_alloc
{
public:
    explicit CNotEnoughMemory(QString reason) : m_reason(std::move(reason)) {}
    const QString &Reason() const { return m_reason; }

private:
    QString m_reason;
};

// The bytes this process can still allocate without the system refusing or
// killing it: the memory the system has available (swap included), or less
// where a resource limit of the process (RLIMIT_AS, RLIMIT_DATA) leaves less.
std::size_t AvailableMemory();

// Runs `work` and answers what it answers. An allocation failure inside it
// answers false with `error` set to OutOfMemoryReason(), or to the reason
// of a CNotEnoughMemory, so that no input, however large, aborts the
// program: commands start their work through this, and whatever `work` had
// built is released on the way out.
template <typename Work>
bool CatchOutOfMemory(Work &&work, QString *error)
{
    try {
        return work();
    } catch (const CNotEnoughMemory &refused) {
        if (error)
            *error = refused.Reason();
        return false;
    } catch (const std::bad_alloc &) {
        if (error)
            *error = OutOfMemoryReason();
        return false;
    }
}
