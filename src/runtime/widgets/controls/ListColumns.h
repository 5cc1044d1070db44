#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace tickora::runtime::detail {

// Lengths of a list box (widths, heights) are held to 0 .. 32,000 pixels.
int ToMeasure(std::int64_t value);

// One entry of a list box's ColumnWidths: pixels, a percentage of the list's
// width, or a share of the width the other columns leave.
struct ColumnWidth {
    enum Kind { Pixels, Percent, Share };
    Kind kind = Share;
    int value = 0;
};

// "20,100,140,140,140": pixels, "N%" a share of the list's width, anything
// else ("*", an empty entry) shares out what the others leave.
std::vector<ColumnWidth> ParseColumnWidths(const QString &widths);

// The pixel width of each of `columns` columns in a list `available` pixels
// wide. Columns past the given entries share too; a sharing column never
// shrinks below 20 pixels.
std::vector<int> ColumnPixelWidths(const std::vector<ColumnWidth> &widths, int columns, int available);

} // namespace tickora::runtime::detail
