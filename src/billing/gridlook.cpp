#include "billing/gridlook.h"

#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QRgb Navy = 0xff000080;
constexpr QRgb Black = 0xff000000;
constexpr QRgb LightGrey = 0xffc0c0c0;

Sheet::Font arial(double size)
{
    Sheet::Font font;
    font.name = u"ARIAL"_s;
    font.size = size;
    return font;
}

}  // namespace

void writeGridTitle(Sheet &sheet, int row, const QString &text, double size)
{
    sheet.setText(row, 1, text);
    Sheet::Font font;
    font.name = u"Book Antiqua"_s;
    font.size = size;
    font.bold = true;
    font.color = Navy;
    sheet.setSelection(row, 1, row, 1);
    sheet.setFont(font);
}

void styleHeaderBand(Sheet &sheet, int row, int lastColumn)
{
    sheet.setSelection(row, 1, row, lastColumn);
    Sheet::Font header = arial(8);
    header.bold = true;
    header.color = Black;
    sheet.setFont(header);
    sheet.setBorders(true, true, true, true);
    sheet.setFill(LightGrey);
}

void styleAmountCells(Sheet &sheet, int firstRow, int lastRow, int column)
{
    sheet.setSelection(firstRow, column, lastRow, column);
    sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
    sheet.setNumberFormat(u"0.00"_s);
}

void styleBillRow(Sheet &sheet, int row, int lastColumn, int amountColumn)
{
    sheet.setSelection(row, 1, row, lastColumn);
    sheet.setFont(arial(8));
    styleAmountCells(sheet, row, row, amountColumn);
}
