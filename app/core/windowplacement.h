#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

// Where the main window was and how it was shown, as kept in "WindowPos":
// ten numbers "flags,showCmd,minX,minY,maxX,maxY,left,top,right,bottom".
struct WindowPlacement {
    enum ShowCommand : uint32_t { ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };
    static constexpr uint32_t kRestoreToMaximized = 2;

    uint32_t flags = 0;
    uint32_t showCmd = ShowNormal;
    int32_t minX = -1;
    int32_t minY = -1;
    int32_t maxX = -1;
    int32_t maxY = -1;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d"
    QString Format() const;
    // Taken only when exactly ten numbers convert; text after the tenth is
    // ignored. No range test on the coordinates.
    static std::optional<WindowPlacement> Parse(const QString &text);

    // The restored window's rectangle (right and bottom exclusive); an
    // invalid rectangle when right and bottom do not lie beyond left and
    // top, or lie too far beyond them for a width or height.
    QRect NormalRect() const;
    void SetNormalRect(const QRect &r);
    // Whether the window should come back maximized.
    bool OpensMaximized() const;

    friend bool operator==(const WindowPlacement &a, const WindowPlacement &b);
};

// Where to restore a window that was at `window`, given the areas of the
// screens that windows may take: on the area it overlaps most, shrunk to
// that area's size and moved inside it, so that all of it, title bar
// included, can be reached. Invalid when `window` is or overlaps none of
// `areas`: the window is then placed as on a first start.
QRect FitOnScreens(const QRect &window, const QList<QRect> &areas);
