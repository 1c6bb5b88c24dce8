#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <map>
#include <optional>
#include <span>

// 0xAARRGGBB, the same type as Qt Gui's QRgb (declared here so that core needs no Qt Gui).
typedef unsigned int QRgb;

// The spreadsheet grid behind the bill forms' preview: cells (text or number), styles applied to
// a selected block, column widths, row heights, a frozen band of rows and an active cell. Rows
// and columns count from 1. The model is cheap for tens of thousands of rows: styles applied to
// blocks are kept as blocks, and clearing a block never walks empty rows.
class Sheet : public QObject
{
    Q_OBJECT
public:
    // The number of rows of the sheet as the grid offers them; formatting "to the last row"
    // covers them all, and a write below it grows it.
    static constexpr int DefaultRowCount = 65536;
    static constexpr int DefaultColumnCount = 26;

    struct Font
    {
        QString name = QStringLiteral("Arial");
        double size = 10;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QRgb color = 0xff000000;  // opaque black
        bool operator==(const Font &) const = default;
    };
    enum class HAlign { General, Left, Center, Right };
    enum class VAlign { Top, Center, Bottom };

    struct Style
    {
        Font font;
        bool borderLeft = false, borderRight = false, borderTop = false, borderBottom = false;  // thin
        std::optional<QRgb> fill;                                                               // solid fill colour
        HAlign hAlign = HAlign::General;
        VAlign vAlign = VAlign::Bottom;
        bool wordWrap = false;
        QString numberFormat;  // empty: general; "0.00"
        bool operator==(const Style &) const = default;
    };

    explicit Sheet(QObject *parent = nullptr);
    ~Sheet() override;

    void setColumnCount(int count);
    int columnCount() const;
    int rowCount() const;     // never below the last row written
    int lastUsedRow() const;  // last row holding a value (0 when none)

    void setText(int row, int column, const QString &text);
    void setNumber(int row, int column, double value);
    // Exactly the text put; a number cell in its shortest decimal form; an empty cell "".
    QString text(int row, int column) const;
    // A cell as it is kept: its text or its number, neither for an empty cell.
    struct CellView
    {
        const QString *text = nullptr;
        const double *number = nullptr;
    };
    // The cells of a row from column 1 on, one for each element of `cells`, read in one pass
    // without copies: for readers of many rows. Valid until the sheet next changes.
    void readRow(int row, std::span<CellView> cells) const;
    // A hint for readers of many rows: the processor starts bringing these rows' cells into its
    // cache while the caller still works on earlier ones.
    void prefetchRows(int first, int count) const;
    bool isNumber(int row, int column) const;
    double number(int row, int column) const;  // 0 for text and empty cells
    // The text as the view shows it: a number through the cell's number format.
    QString displayText(int row, int column) const;
    int usedColumnCount(int row) const;  // last column of the row holding a value (0 when none)

    void setColumnWidth(int column, int width256);     // 1/256 of a character; 0 hides
    std::optional<int> columnWidth(int column) const;  // nothing when never set
    void setRowHeight(int row, int twips);
    std::optional<int> rowHeight(int row) const;
    const std::map<int, int> &columnWidths() const;  // column -> width, for the columns given one
    const std::map<int, int> &rowHeights() const;    // row -> twips, for the rows given one

    // Formatting calls apply to the selected block.
    void setSelection(int firstRow, int firstColumn, int lastRow, int lastColumn);
    void setFont(const Font &font);
    void setBorders(bool left, bool right, bool top, bool bottom);
    void setFill(QRgb color);
    void setAlignment(HAlign horizontal, bool wordWrap, VAlign vertical);
    void setNumberFormat(const QString &format);
    Style style(int row, int column) const;
    // The cell's style as a number: 0 is the default style, equal numbers are equal styles (the
    // workbook writers turn each number into one cell format).
    int styleId(int row, int column) const;
    const Style &styleById(int id) const;
    int selectionFirstRow() const;
    int selectionFirstColumn() const;
    int selectionLastRow() const;
    int selectionLastColumn() const;

    // Removes contents and formats of the block.
    void clearRange(int firstRow, int firstColumn, int lastRow, int lastColumn);

    void setTopRow(int row);
    int topRow() const;
    void setFixedRows(int rows);
    int fixedRows() const;
    void setActiveCell(int row, int column);
    int activeRow() const;
    int activeColumn() const;

signals:
    void cellsChanged(int firstRow, int lastRow);  // contents or formats of these rows changed
    void layoutChanged();                          // column count, widths, heights, frozen rows
    void topRowChanged(int row);
    void activeCellChanged(int row, int column);

private:
    struct Data;
    Data *d;
};
