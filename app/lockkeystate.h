#pragma once

#include <optional>

// The state of Caps Lock, Num Lock and Scroll Lock, where the platform
// tells it: on X11 through the keyboard extension. Elsewhere (Wayland,
// offscreen) there is no answer.
struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    static std::optional<LockKeyState> Query();
};
