#pragma once

#include "data/reflector.h"

#include <QString>

#include <array>

// The list's column widths as kept in "ColumnWidth": twelve numbers in
// column order, in pixels. -1 marks a width still to be computed (the
// title's width plus 15 pixels); 0 is a hidden column and stays 0.
struct ColumnWidths {
    static constexpr int kDefault = -1;
    static constexpr int kTitlePadding = 15;
    using Table = std::array<int, CReflector::ColumnCount>;

    static Table Defaults();
    // Exactly twelve numbers (text after the twelfth is ignored), else all
    // -1. A width beyond `maxWidth` (the screen's) is cut to it.
    static Table Parse(const QString &text, int maxWidth);
    // "%d,%d,...": decimal, comma-separated, no blanks.
    static QString Format(const Table &widths);
};
