#include "sheet/styleblocks.h"

#include <QHashFunctions>

namespace {

using Restyle = std::function<int(int)>;

}  // namespace

size_t StyleBlocks::StyleHash::operator()(const Sheet::Style &s) const
{
    const Sheet::Font &f = s.font;
    size_t seed = qHashMulti(0, f.name, f.size, f.bold, f.italic, f.underline, f.strikeOut, f.color);
    return qHashMulti(seed, s.borderLeft, s.borderRight, s.borderTop, s.borderBottom, s.fill.has_value(),
                      s.fill.value_or(0), int(s.hAlign), int(s.vAlign), s.wordWrap, s.numberFormat);
}

StyleBlocks::StyleBlocks()
{
    m_bands.emplace(1, Runs{});
    m_styles.emplace_back();
    m_ids.emplace(m_styles.front(), 0);
}

int StyleBlocks::intern(const Sheet::Style &style)
{
    const auto [it, added] = m_ids.try_emplace(style, int(m_styles.size()));
    if (added)
        m_styles.push_back(style);
    return it->second;
}

int StyleBlocks::styleId(int row, int column) const
{
    if (row < 1)
        return 0;
    const Runs &runs = std::prev(m_bands.upper_bound(row))->second;
    const auto run =
        std::lower_bound(runs.begin(), runs.end(), column, [](const Run &r, int c) { return r.lastColumn < c; });
    return run != runs.end() && run->firstColumn <= column ? run->style : 0;
}

void StyleBlocks::splitAt(long long row)
{
    const auto it = std::prev(m_bands.upper_bound(row));
    if (it->first != row)
        m_bands.emplace_hint(std::next(it), row, it->second);
}

void StyleBlocks::rewrite(int firstRow, int lastRow, const std::function<Runs(const Runs &)> &edit)
{
    const long long end = static_cast<long long>(lastRow) + 1;
    splitAt(firstRow);
    splitAt(end);
    auto it = m_bands.find(firstRow);
    for (; it->first < end; ++it)
        it->second = edit(it->second);
    // Merge alike neighbours from the band before the block to the band after it.
    it = m_bands.find(firstRow);
    if (it != m_bands.begin())
        --it;
    for (auto next = std::next(it); next != m_bands.end() && next->first <= end; next = std::next(it)) {
        if (next->second == it->second)
            m_bands.erase(next);
        else
            it = next;
    }
}

namespace {

// The runs with columns firstColumn..lastColumn restyled: a run's part inside them takes
// restyle(its style), a gap inside them restyle(0); parts outside keep their style.
template <typename Run>
std::vector<Run> restyleColumns(const std::vector<Run> &runs, int firstColumn, int lastColumn, const Restyle &restyle)
{
    std::vector<Run> out;
    const auto push = [&out](int first, int last, int style) {
        if (style == 0 || first > last)
            return;
        if (!out.empty() && out.back().style == style && out.back().lastColumn + 1 == first)
            out.back().lastColumn = last;
        else
            out.push_back(Run{first, last, style});
    };
    int next = firstColumn;  // first column of the block not yet given out
    for (const Run &run : runs) {
        if (run.firstColumn < firstColumn)
            push(run.firstColumn, std::min(run.lastColumn, firstColumn - 1), run.style);
        const int low = std::max(run.firstColumn, firstColumn);
        const int high = std::min(run.lastColumn, lastColumn);
        if (low <= high) {
            if (next < low)
                push(next, low - 1, restyle(0));
            push(low, high, restyle(run.style));
            next = high + 1;
        }
        if (run.lastColumn > lastColumn) {
            if (next <= lastColumn)
                push(next, lastColumn, restyle(0));
            next = lastColumn + 1;
            push(std::max(run.firstColumn, lastColumn + 1), run.lastColumn, run.style);
        }
    }
    if (next <= lastColumn)
        push(next, lastColumn, restyle(0));
    return out;
}

}  // namespace

void StyleBlocks::apply(int firstRow, int firstColumn, int lastRow, int lastColumn,
                        const std::function<void(Sheet::Style &)> &change)
{
    std::unordered_map<int, int> restyled;  // old style id -> new one, for this call
    const Restyle restyle = [&](int id) {
        const auto known = restyled.find(id);
        if (known != restyled.end())
            return known->second;
        Sheet::Style style = m_styles[id];
        change(style);
        const int result = intern(style);
        restyled.emplace(id, result);
        return result;
    };
    rewrite(firstRow, lastRow,
            [&](const Runs &runs) { return restyleColumns(runs, firstColumn, lastColumn, restyle); });
}

void StyleBlocks::clear(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    const Restyle none = [](int) { return 0; };
    rewrite(firstRow, lastRow, [&](const Runs &runs) { return restyleColumns(runs, firstColumn, lastColumn, none); });
}
