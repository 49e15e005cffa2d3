#pragma once

#include "data/reflector.h"

#include <QString>

#include <array>

// The list's column widths as kept in "ColumnWidth": twelve numbers in
// column order, in pixels. -1 marks a width still to be computed: the
// title's width plus 15 pixels, widened to the contents of the first rows
// the list shows; 0 is a hidden column and stays 0.
struct ColumnWidths {
    static constexpr int kDefault = -1;
    static constexpr int kTitlePadding = 15;
    // The rows measured when a column is fitted to its contents.
    static constexpr int kFitRows = 50;
    using Table = std::array<int, CReflector::ColumnCount>;

    static Table Defaults();
    // Exactly twelve numbers (text after the twelfth is ignored), else all
    // -1. A width beyond `maxWidth` (the screen's) is cut to it.
    static Table Parse(const QString &text, int maxWidth);
    // "%d,%d,...": decimal, comma-separated, no blanks.
    static QString Format(const Table &widths);
    // The widest a column grows to fit its contents on a screen `screenWidth`
    // wide: one long e-mail address must not push the others out of sight.
    static int MaxFitWidth(int screenWidth) { return screenWidth / 4; }
};
