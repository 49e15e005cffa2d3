#pragma once

#include <QIcon>

// The same icon, drawn faded when disabled. Qt's own disabled look greys
// the image, which leaves a grey image (most of a desktop theme's) looking
// as it does when enabled: a tool bar button would not show its state.
QIcon FadedWhenDisabled(const QIcon &icon);
