#include "sheet/sheet.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

Sheet::Font headerFont()
{
    Sheet::Font font;
    font.name = u"ARIAL"_s;
    font.size = 8;
    font.bold = true;
    return font;
}

// The order of formatting calls the bill grid's set-up makes on its rows and the amount column.
void formatLikeSetUp(Sheet &sheet)
{
    sheet.setColumnCount(58);
    sheet.clearRange(5, 1, sheet.rowCount(), 58);
    sheet.setSelection(4, 1, 4, 58);
    sheet.setFont(headerFont());
    sheet.setBorders(true, true, true, true);
    sheet.setFill(0xffc0c0c0);
    sheet.setSelection(4, 7, sheet.rowCount(), 7);
    sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
    sheet.setNumberFormat(u"0.00"_s);
}

// What generation does to each bill row: the whole row in Arial 8, the amount cell right-aligned "0.00".
void writeBillRow(Sheet &sheet, int row)
{
    Sheet::Font font;
    font.name = u"ARIAL"_s;
    font.size = 8;
    for (int c = 1; c <= 58; ++c)
        sheet.setText(row, c, u"r%1c%2"_s.arg(row).arg(c));
    sheet.setNumber(row, 7, 1500.5);
    sheet.setSelection(row, 1, row, 58);
    sheet.setFont(font);
    sheet.setSelection(row, 7, row, 7);
    sheet.setFont(font);
    sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
    sheet.setNumberFormat(u"0.00"_s);
}

}  // namespace

class tst_Sheet : public QObject
{
    Q_OBJECT
private slots:
    void cellsKeepTextAndNumbers();
    void rowAndColumnCounts();
    void blockStylesCombineWhereTheyOverlap();
    void clearRangeRemovesContentsAndFormatsOfTheBlockOnly();
    void repeatedSetUpAndGenerationResolveAsTheLastCallsSay();
    void randomBlocksMatchACellByCellModel();
    void widthsHeightsAndView();
};

void tst_Sheet::cellsKeepTextAndNumbers()
{
    Sheet sheet;
    sheet.setText(1, 1, u"Receipt Report  "_s);
    sheet.setNumber(2, 1, 1500);
    sheet.setNumber(2, 2, 12.5);
    sheet.setNumber(2, 3, -0.0);
    sheet.setNumber(2, 4, 0.1 + 0.2);
    QCOMPARE(sheet.text(1, 1), u"Receipt Report  "_s);
    QCOMPARE(sheet.text(2, 1), u"1500"_s);
    QCOMPARE(sheet.text(2, 2), u"12.5"_s);
    QCOMPARE(sheet.text(2, 3), u"0"_s);
    QCOMPARE(sheet.text(2, 4), u"0.30000000000000004"_s);
    QVERIFY(sheet.isNumber(2, 1));
    QVERIFY(!sheet.isNumber(1, 1));
    QCOMPARE(sheet.number(1, 1), 0.0);
    QCOMPARE(sheet.number(2, 2), 12.5);
    QCOMPARE(sheet.text(3, 3), QString());
    QCOMPARE(sheet.text(0, 1), QString());

    // The number format changes what is shown, never what is read.
    sheet.setText(2, 5, u"1500"_s);
    sheet.setNumber(2, 6, 2.675);
    sheet.setSelection(2, 1, 2, 6);
    sheet.setNumberFormat(u"0.00"_s);
    QCOMPARE(sheet.displayText(2, 1), u"1500.00"_s);
    QCOMPARE(sheet.displayText(2, 6), u"2.68"_s);
    QCOMPARE(sheet.text(2, 6), u"2.675"_s);
    QCOMPARE(sheet.displayText(2, 5), u"1500"_s);  // text stays as put
    QCOMPARE(sheet.displayText(1, 1), u"Receipt Report  "_s);

    // A text over a number, and an empty text empties the cell.
    sheet.setText(2, 1, u"x"_s);
    QVERIFY(!sheet.isNumber(2, 1));
    QCOMPARE(sheet.lastUsedRow(), 2);
    for (int c = 1; c <= 6; ++c)
        sheet.setText(2, c, QString());
    QCOMPARE(sheet.lastUsedRow(), 1);
    QCOMPARE(sheet.usedColumnCount(1), 1);
    QCOMPARE(sheet.usedColumnCount(2), 0);

    // A whole row read at once gives what the cells hold, and nothing past the row's last cell
    // or the sheet's last row, whatever the views held before.
    sheet.setText(4, 1, u"KCH/26/00001"_s);
    sheet.setNumber(4, 3, 1037.5);
    std::array<Sheet::CellView, 5> cells;
    sheet.readRow(4, cells);
    QVERIFY(cells[0].text && *cells[0].text == u"KCH/26/00001"_s && !cells[0].number);
    QVERIFY(!cells[1].text && !cells[1].number);
    QVERIFY(!cells[2].text && cells[2].number && *cells[2].number == 1037.5);
    QVERIFY(!cells[3].text && !cells[3].number && !cells[4].text && !cells[4].number);
    const auto empty = [](const Sheet::CellView &cell) { return !cell.text && !cell.number; };
    for (const int row : {0, 3, 9}) {
        const Sheet::CellView stale = {cells[0].text, cells[2].number};
        cells.fill(stale);
        sheet.readRow(row, cells);
        QVERIFY(std::all_of(cells.begin(), cells.end(), empty));
    }
}

void tst_Sheet::rowAndColumnCounts()
{
    Sheet sheet;
    QCOMPARE(sheet.rowCount(), Sheet::DefaultRowCount);
    QCOMPARE(sheet.lastUsedRow(), 0);
    sheet.setColumnCount(58);
    sheet.setText(3, 60, u"beyond"_s);
    QCOMPARE(sheet.columnCount(), 58);
    QCOMPARE(sheet.text(3, 60), u"beyond"_s);
    QCOMPARE(sheet.usedColumnCount(3), 60);

    sheet.setNumber(70000, 2, 1);
    QCOMPARE(sheet.rowCount(), 70000);
    QCOMPARE(sheet.lastUsedRow(), 70000);
    sheet.clearRange(5, 1, sheet.rowCount(), 60);
    QCOMPARE(sheet.lastUsedRow(), 3);
    QVERIFY(sheet.rowCount() >= 70000);  // never below the last row written
    QCOMPARE(sheet.text(70000, 2), QString());
}

void tst_Sheet::blockStylesCombineWhereTheyOverlap()
{
    Sheet sheet;
    formatLikeSetUp(sheet);
    const Sheet::Style g4 = sheet.style(4, 7);
    QCOMPARE(g4.font, headerFont());
    QVERIFY(g4.borderLeft && g4.borderRight && g4.borderTop && g4.borderBottom);
    QCOMPARE(g4.fill, std::optional<QRgb>(0xffc0c0c0));
    QCOMPARE(g4.hAlign, Sheet::HAlign::Right);
    QCOMPARE(g4.vAlign, Sheet::VAlign::Center);
    QCOMPARE(g4.numberFormat, u"0.00"_s);

    const Sheet::Style h4 = sheet.style(4, 8);
    QCOMPARE(h4.font, headerFont());
    QCOMPARE(h4.hAlign, Sheet::HAlign::General);
    QCOMPARE(h4.numberFormat, QString());

    for (int row : {5, 1000, 65536}) {
        const Sheet::Style amount = sheet.style(row, 7);
        QCOMPARE(amount.font, Sheet::Font());
        QVERIFY(!amount.borderLeft && !amount.fill);
        QCOMPARE(amount.numberFormat, u"0.00"_s);
        QCOMPARE(sheet.styleId(row, 6), 0);
    }
    QCOMPARE(sheet.styleId(65537, 7), 0);
    QCOMPARE(sheet.styleId(3, 7), 0);
    QCOMPARE(sheet.styleId(4, 59), 0);
    QCOMPARE(sheet.styleId(5, 7), sheet.styleId(65536, 7));
    QVERIFY(sheet.styleId(4, 7) != sheet.styleId(4, 8));
}

void tst_Sheet::clearRangeRemovesContentsAndFormatsOfTheBlockOnly()
{
    Sheet sheet;
    formatLikeSetUp(sheet);
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            sheet.setText(r, c, u"x"_s);
    QSignalSpy changed(&sheet, &Sheet::cellsChanged);
    sheet.clearRange(4, 3, 6, 7);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first(), (QVariantList{4, 6}));
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 10; ++c) {
            const bool inside = r >= 4 && r <= 6 && c >= 3 && c <= 7;
            QCOMPARE(sheet.text(r, c).isEmpty(), inside);
        }
    }
    QCOMPARE(sheet.styleId(4, 3), 0);
    QCOMPARE(sheet.styleId(4, 7), 0);
    QCOMPARE(sheet.style(4, 2).font, headerFont());
    QCOMPARE(sheet.style(4, 8).font, headerFont());
    QCOMPARE(sheet.style(6, 7).numberFormat, QString());
    QCOMPARE(sheet.style(7, 7).numberFormat, u"0.00"_s);
    QCOMPARE(sheet.lastUsedRow(), 10);

    // Reversed corners name the same block.
    sheet.clearRange(10, 10, 1, 1);
    QCOMPARE(sheet.lastUsedRow(), 0);
    QCOMPARE(sheet.styleId(4, 1), 0);
}

void tst_Sheet::repeatedSetUpAndGenerationResolveAsTheLastCallsSay()
{
    Sheet sheet;
    for (int run = 0; run < 3; ++run) {
        formatLikeSetUp(sheet);
        QCOMPARE(sheet.lastUsedRow(), 0);
        for (int row = 5; row < 5 + 300; ++row)
            writeBillRow(sheet, row);
        QCOMPARE(sheet.lastUsedRow(), 304);
        const Sheet::Style amount = sheet.style(200, 7);
        QCOMPARE(amount.font.size, 8.0);
        QCOMPARE(amount.numberFormat, u"0.00"_s);
        QCOMPARE(sheet.displayText(200, 7), u"1500.50"_s);
        QCOMPARE(sheet.style(200, 8).font.name, u"ARIAL"_s);
        QCOMPARE(sheet.style(200, 8).numberFormat, QString());
        QCOMPARE(sheet.style(305, 7).font, Sheet::Font());  // below the bills: the set-up's column style
        QCOMPARE(sheet.style(305, 7).numberFormat, u"0.00"_s);
        QCOMPARE(sheet.styleId(305, 8), 0);
        QCOMPARE(sheet.styleId(5, 1), sheet.styleId(304, 1));
    }
}

void tst_Sheet::randomBlocksMatchACellByCellModel()
{
    constexpr int Rows = 24, Columns = 12;
    Sheet sheet;
    std::vector<Sheet::Style> expected(Rows * Columns);
    QRandomGenerator random(20261208);
    for (int step = 0; step < 400; ++step) {
        const int r1 = random.bounded(1, Rows + 1), r2 = random.bounded(1, Rows + 1);
        const int c1 = random.bounded(1, Columns + 1), c2 = random.bounded(1, Columns + 1);
        const int kind = random.bounded(5);
        std::function<void(Sheet::Style &)> change;
        if (kind == 0) {
            sheet.clearRange(r1, c1, r2, c2);
            change = [](Sheet::Style &s) { s = Sheet::Style(); };
        } else {
            sheet.setSelection(r1, c1, r2, c2);
            const int value = random.bounded(3);
            if (kind == 1) {
                Sheet::Font font;
                font.size = 8 + value;
                sheet.setFont(font);
                change = [font](Sheet::Style &s) { s.font = font; };
            } else if (kind == 2) {
                sheet.setFill(0xff000000 | value);
                change = [value](Sheet::Style &s) { s.fill = 0xff000000 | value; };
            } else if (kind == 3) {
                sheet.setBorders(value == 1, true, value == 2, false);
                change = [value](Sheet::Style &s) {
                    s.borderLeft = value == 1;
                    s.borderRight = true;
                    s.borderTop = value == 2;
                    s.borderBottom = false;
                };
            } else {
                const QString format = value ? u"0.00"_s : QString();
                sheet.setNumberFormat(format);
                change = [format](Sheet::Style &s) { s.numberFormat = format; };
            }
        }
        for (int r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
            for (int c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
                change(expected[(r - 1) * Columns + c - 1]);
        for (int r = 1; r <= Rows + 1; ++r) {
            for (int c = 1; c <= Columns + 1; ++c) {
                const Sheet::Style want =
                    r <= Rows && c <= Columns ? expected[(r - 1) * Columns + c - 1] : Sheet::Style();
                if (!(sheet.style(r, c) == want))
                    QFAIL(qPrintable(u"step %1: cell (%2,%3) differs"_s.arg(step).arg(r).arg(c)));
                QCOMPARE(sheet.styleId(r, c) == 0, want == Sheet::Style());
            }
        }
    }
}

void tst_Sheet::widthsHeightsAndView()
{
    Sheet sheet;
    QSignalSpy layout(&sheet, &Sheet::layoutChanged);
    QSignalSpy top(&sheet, &Sheet::topRowChanged);
    QSignalSpy active(&sheet, &Sheet::activeCellChanged);
    sheet.setColumnWidth(1, 3500);
    sheet.setColumnWidth(8, 0);
    sheet.setColumnWidth(9, -5);
    sheet.setRowHeight(1, 500);
    sheet.setFixedRows(4);
    QCOMPARE(layout.count(), 5);
    QCOMPARE(sheet.columnWidth(1), std::optional<int>(3500));
    QCOMPARE(sheet.columnWidth(8), std::optional<int>(0));
    QCOMPARE(sheet.columnWidth(9), std::optional<int>(0));
    QCOMPARE(sheet.columnWidth(37), std::nullopt);
    QCOMPARE(sheet.rowHeight(1), std::optional<int>(500));
    QCOMPARE(sheet.rowHeight(2), std::nullopt);
    QCOMPARE(sheet.columnWidths().size(), size_t(3));
    QCOMPARE(sheet.fixedRows(), 4);

    // Scrolling to the same row again still tells the view (the user may have scrolled away).
    sheet.setTopRow(8);
    sheet.setTopRow(8);
    QCOMPARE(top.count(), 2);
    QCOMPARE(sheet.topRow(), 8);
    sheet.setTopRow(-3);
    QCOMPARE(sheet.topRow(), 1);
    sheet.setActiveCell(1, 1);
    QCOMPARE(active.count(), 1);
    QCOMPARE(active.first(), (QVariantList{1, 1}));
}

QTEST_GUILESS_MAIN(tst_Sheet)
#include "tst_sheet.moc"
