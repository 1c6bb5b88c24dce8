#include "sheet/sheet.h"

#include "common/numbers.h"
#include "sheet/styleblocks.h"

#include <algorithm>
#include <variant>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

using Value = std::variant<std::monostate, QString, double>;
using Row = std::vector<Value>;  // trimmed: never ends with an empty cell

const auto TwoDecimalsFormat = u"0.00"_s;

}  // namespace

struct Sheet::Data
{
    std::vector<Row> rows;  // rows[r - 1]; trimmed: never ends with an empty row
    int lastWrittenRow = 0;
    int columnCount = DefaultColumnCount;
    StyleBlocks styles;
    std::map<int, int> columnWidths;
    std::map<int, int> rowHeights;
    int selFirstRow = 1, selFirstColumn = 1, selLastRow = 1, selLastColumn = 1;
    int topRow = 1;
    int fixedRows = 0;
    int activeRow = 1, activeColumn = 1;

    const Value *cell(int row, int column) const
    {
        if (row < 1 || column < 1 || row > int(rows.size()))
            return nullptr;
        const Row &cells = rows[row - 1];
        return column <= int(cells.size()) ? &cells[column - 1] : nullptr;
    }

    void put(int row, int column, Value value)
    {
        if (row < 1 || column < 1)
            return;
        lastWrittenRow = std::max(lastWrittenRow, row);
        if (std::holds_alternative<std::monostate>(value)) {
            if (const Value *old = cell(row, column); old && !std::holds_alternative<std::monostate>(*old)) {
                rows[row - 1][column - 1] = value;
                trim(row, row);
            }
            return;
        }
        if (row > int(rows.size()))
            rows.resize(row);
        Row &cells = rows[row - 1];
        if (column > int(cells.size()))
            cells.resize(column);
        cells[column - 1] = std::move(value);
    }

    // Drops empty cells at the ends of the rows firstRow..lastRow and empty rows at the end.
    void trim(int firstRow, int lastRow)
    {
        for (int r = firstRow; r <= std::min(lastRow, int(rows.size())); ++r) {
            Row &cells = rows[r - 1];
            while (!cells.empty() && std::holds_alternative<std::monostate>(cells.back()))
                cells.pop_back();
        }
        while (!rows.empty() && rows.back().empty())
            rows.pop_back();
    }
};

Sheet::Sheet(QObject *parent) : QObject(parent), d(new Data) {}

Sheet::~Sheet() { delete d; }

void Sheet::setColumnCount(int count)
{
    d->columnCount = std::max(count, 1);
    emit layoutChanged();
}

int Sheet::columnCount() const { return d->columnCount; }

int Sheet::rowCount() const { return std::max(DefaultRowCount, d->lastWrittenRow); }

int Sheet::lastUsedRow() const { return int(d->rows.size()); }

int Sheet::usedColumnCount(int row) const
{
    return row >= 1 && row <= int(d->rows.size()) ? int(d->rows[row - 1].size()) : 0;
}

void Sheet::setText(int row, int column, const QString &text)
{
    d->put(row, column, text.isEmpty() ? Value{} : Value{text});
    emit cellsChanged(row, row);
}

void Sheet::setNumber(int row, int column, double value)
{
    d->put(row, column, Value{value});
    emit cellsChanged(row, row);
}

QString Sheet::text(int row, int column) const
{
    const Value *value = d->cell(row, column);
    if (!value)
        return {};
    if (const QString *text = std::get_if<QString>(value))
        return *text;
    if (const double *number = std::get_if<double>(value))
        return shortestText(*number);
    return {};
}

void Sheet::readRow(int row, std::span<CellView> cells) const
{
    const Row *kept = row >= 1 && row <= int(d->rows.size()) ? &d->rows[row - 1] : nullptr;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Value *value = kept && i < kept->size() ? &(*kept)[i] : nullptr;
        cells[i] = value ? CellView{std::get_if<QString>(value), std::get_if<double>(value)} : CellView{};
    }
}

void Sheet::prefetchRows(int first, int count) const
{
    for (int row = std::max(first, 1); row < first + count && row <= int(d->rows.size()); ++row) {
        const Row &cells = d->rows[row - 1];
        const char *bytes = reinterpret_cast<const char *>(cells.data());
        const size_t size = cells.size() * sizeof(Value);
        for (size_t at = 0; at < size; at += 64)
            __builtin_prefetch(bytes + at);
    }
}

bool Sheet::isNumber(int row, int column) const
{
    const Value *value = d->cell(row, column);
    return value && std::holds_alternative<double>(*value);
}

double Sheet::number(int row, int column) const
{
    const Value *value = d->cell(row, column);
    const double *number = value ? std::get_if<double>(value) : nullptr;
    return number ? *number : 0;
}

QString Sheet::displayText(int row, int column) const
{
    if (isNumber(row, column) && styleById(styleId(row, column)).numberFormat == TwoDecimalsFormat)
        return twoDecimals(number(row, column));
    return text(row, column);
}

void Sheet::setColumnWidth(int column, int width256)
{
    if (column < 1)
        return;
    d->columnWidths[column] = std::max(width256, 0);
    emit layoutChanged();
}

std::optional<int> Sheet::columnWidth(int column) const
{
    const auto it = d->columnWidths.find(column);
    return it == d->columnWidths.end() ? std::nullopt : std::optional<int>(it->second);
}

void Sheet::setRowHeight(int row, int twips)
{
    if (row < 1)
        return;
    d->rowHeights[row] = std::max(twips, 0);
    emit layoutChanged();
}

std::optional<int> Sheet::rowHeight(int row) const
{
    const auto it = d->rowHeights.find(row);
    return it == d->rowHeights.end() ? std::nullopt : std::optional<int>(it->second);
}

const std::map<int, int> &Sheet::columnWidths() const { return d->columnWidths; }

const std::map<int, int> &Sheet::rowHeights() const { return d->rowHeights; }

void Sheet::setSelection(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    d->selFirstRow = std::max(1, std::min(firstRow, lastRow));
    d->selLastRow = std::max(1, std::max(firstRow, lastRow));
    d->selFirstColumn = std::max(1, std::min(firstColumn, lastColumn));
    d->selLastColumn = std::max(1, std::max(firstColumn, lastColumn));
}

int Sheet::selectionFirstRow() const { return d->selFirstRow; }
int Sheet::selectionFirstColumn() const { return d->selFirstColumn; }
int Sheet::selectionLastRow() const { return d->selLastRow; }
int Sheet::selectionLastColumn() const { return d->selLastColumn; }

namespace {

template <typename Change>
void formatSelection(Sheet &sheet, StyleBlocks &styles, const Change &change)
{
    styles.apply(sheet.selectionFirstRow(), sheet.selectionFirstColumn(), sheet.selectionLastRow(),
                 sheet.selectionLastColumn(), change);
}

}  // namespace

void Sheet::setFont(const Font &font)
{
    formatSelection(*this, d->styles, [&font](Style &s) { s.font = font; });
    emit cellsChanged(d->selFirstRow, d->selLastRow);
}

void Sheet::setBorders(bool left, bool right, bool top, bool bottom)
{
    formatSelection(*this, d->styles, [=](Style &s) {
        s.borderLeft = left;
        s.borderRight = right;
        s.borderTop = top;
        s.borderBottom = bottom;
    });
    emit cellsChanged(d->selFirstRow, d->selLastRow);
}

void Sheet::setFill(QRgb color)
{
    formatSelection(*this, d->styles, [color](Style &s) { s.fill = color; });
    emit cellsChanged(d->selFirstRow, d->selLastRow);
}

void Sheet::setAlignment(HAlign horizontal, bool wordWrap, VAlign vertical)
{
    formatSelection(*this, d->styles, [=](Style &s) {
        s.hAlign = horizontal;
        s.wordWrap = wordWrap;
        s.vAlign = vertical;
    });
    emit cellsChanged(d->selFirstRow, d->selLastRow);
}

void Sheet::setNumberFormat(const QString &format)
{
    formatSelection(*this, d->styles, [&format](Style &s) { s.numberFormat = format; });
    emit cellsChanged(d->selFirstRow, d->selLastRow);
}

Sheet::Style Sheet::style(int row, int column) const { return styleById(styleId(row, column)); }

int Sheet::styleId(int row, int column) const { return d->styles.styleId(row, column); }

const Sheet::Style &Sheet::styleById(int id) const { return d->styles.style(id); }

void Sheet::clearRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    const int r1 = std::max(1, std::min(firstRow, lastRow));
    const int r2 = std::max(firstRow, lastRow);
    const int c1 = std::max(1, std::min(firstColumn, lastColumn));
    const int c2 = std::max(firstColumn, lastColumn);
    if (r2 < 1 || c2 < 1)
        return;
    // Only rows that hold values are visited: the rows vector ends at the last used row.
    const int lastHeld = std::min(r2, int(d->rows.size()));
    for (int r = r1; r <= lastHeld; ++r) {
        Row &cells = d->rows[r - 1];
        for (int c = c1; c <= std::min(c2, int(cells.size())); ++c)
            cells[c - 1] = Value{};
    }
    d->trim(r1, lastHeld);
    d->styles.clear(r1, c1, r2, c2);
    emit cellsChanged(r1, r2);
}

void Sheet::setTopRow(int row)
{
    d->topRow = std::max(row, 1);
    emit topRowChanged(d->topRow);
}

int Sheet::topRow() const { return d->topRow; }

void Sheet::setFixedRows(int rows)
{
    d->fixedRows = std::max(rows, 0);
    emit layoutChanged();
}

int Sheet::fixedRows() const { return d->fixedRows; }

void Sheet::setActiveCell(int row, int column)
{
    d->activeRow = std::max(row, 1);
    d->activeColumn = std::max(column, 1);
    emit activeCellChanged(d->activeRow, d->activeColumn);
}

int Sheet::activeRow() const { return d->activeRow; }

int Sheet::activeColumn() const { return d->activeColumn; }
