#pragma once

#include "sheet/sheet.h"

#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

// The formats of a sheet kept as blocks: the rows are cut into bands of consecutive rows that share
// the same column runs, and each run names an interned style. Formatting "column 7 down to row
// 65536" or clearing "row 5 to the last row" touches a handful of bands, never the rows one by
// one; neighbouring bands that end up alike are merged again.
class StyleBlocks
{
public:
    StyleBlocks();

    // Applies `change` to every cell of the block (cells without a format start from the default).
    void apply(int firstRow, int firstColumn, int lastRow, int lastColumn,
               const std::function<void(Sheet::Style &)> &change);
    // Gives every cell of the block the default style back.
    void clear(int firstRow, int firstColumn, int lastRow, int lastColumn);

    int styleId(int row, int column) const;  // 0: the default style
    const Sheet::Style &style(int id) const { return m_styles[id]; }

private:
    struct Run
    {
        int firstColumn;
        int lastColumn;
        int style;
        bool operator==(const Run &) const = default;
    };
    using Runs = std::vector<Run>;  // ascending, disjoint, never the default style

    struct StyleHash
    {
        size_t operator()(const Sheet::Style &style) const;
    };

    void splitAt(long long row);
    void rewrite(int firstRow, int lastRow, const std::function<Runs(const Runs &)> &edit);
    int intern(const Sheet::Style &style);

    std::map<long long, Runs> m_bands;   // first row of a band -> its runs; the band ends before the next key
    std::vector<Sheet::Style> m_styles;  // [0] is the default style
    std::unordered_map<Sheet::Style, int, StyleHash> m_ids;
};
