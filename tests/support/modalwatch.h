#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>
#include <memory>

// Runs `act` on the dialog of type T as soon as it is the active modal
// window; gives up after a few seconds so that a missing dialog fails the
// test instead of hanging it. For the GUI suites only.
template <class T> void WhenShown(std::function<void(T *)> act)
{
    auto *timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, act, deadline] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            act(dialog);
        } else if (deadline->hasExpired()) {
            timer->deleteLater();
        }
    });
    timer->start(10);
}
