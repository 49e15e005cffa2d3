#pragma once

#include <functional>

class QWidget;

// Runs `work` once, from the event loop, after `widget` has been painted
// for the first time: start-up work that the window need not wait for
// (asking the desktop about a mail client ...) runs once it is on screen.
// Nothing runs if the widget goes first.
void RunAfterFirstPaint(QWidget *widget, std::function<void()> work);
