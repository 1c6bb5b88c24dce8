// The layout of the bill grid: titles, header band, widths and the amount column.
#include "billing/billcolumns.h"
#include "billing/billgrid.h"
#include "billing/gridcsv.h"
#include "sheet/sheet.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_BillGrid : public QObject
{
    Q_OBJECT

private slots:
    void laysOutTitlesAndHeader();
    void showsOnlyTheBillColumns();
    void secondSetUpRemovesBillRowsAndTheirFormats();
    void csvQuotesOnlyTheFieldsThatNeedIt();
};

void tst_BillGrid::laysOutTitlesAndHeader()
{
    Sheet sheet;
    SetUpBillGrid(sheet, u"Daily"_s, u"Kochi Unit"_s);
    QCOMPARE(sheet.columnCount(), 58);
    QCOMPARE(sheet.text(1, 1), u"SV - Daily"_s);
    QCOMPARE(sheet.text(2, 1), u"Kochi Unit"_s);
    QCOMPARE(sheet.text(3, 1), u"Receipt Report"_s);
    QCOMPARE(sheet.rowHeight(1), std::optional<int>(500));
    QCOMPARE(sheet.fixedRows(), 4);
    QCOMPARE(sheet.topRow(), 4);
    QCOMPARE(sheet.activeRow(), 1);
    QCOMPARE(sheet.activeColumn(), 1);

    const Sheet::Style title = sheet.style(1, 1);
    QCOMPARE(title.font.name, u"Book Antiqua"_s);
    QCOMPARE(title.font.size, 14.0);
    QVERIFY(title.font.bold);
    QCOMPARE(title.font.color, QRgb(0xff000080));
    QCOMPARE(sheet.style(2, 1).font.size, 10.0);
    QCOMPARE(sheet.style(3, 1).font.size, 8.0);

    QCOMPARE(sheet.text(4, 1), u"Bill No"_s);
    QCOMPARE(sheet.text(4, 4), u"Client Name"_s);
    QCOMPARE(sheet.text(4, 36), u"Client Name"_s);
    QCOMPARE(sheet.text(4, 33), u"Cols"_s);
    QCOMPARE(sheet.text(4, 41), u"Cols"_s);
    QCOMPARE(sheet.text(4, 40), u"Bill Colmns"_s);
    QCOMPARE(sheet.text(4, 56), u"Igst per"_s);
    QCOMPARE(sheet.text(4, 58), u"Gross Bill"_s);
    for (int column = 1; column <= 58; ++column) {
        const Sheet::Style header = sheet.style(4, column);
        QCOMPARE(header.font.name, u"ARIAL"_s);
        QVERIFY(header.font.bold);
        QVERIFY(header.borderLeft && header.borderRight && header.borderTop && header.borderBottom);
        QCOMPARE(header.fill, std::optional<QRgb>(0xffc0c0c0));
    }
    const Sheet::Style amount = sheet.style(sheet.rowCount(), col(BillColumn::Amount));
    QCOMPARE(amount.hAlign, Sheet::HAlign::Right);
    QCOMPARE(amount.vAlign, Sheet::VAlign::Center);
    QCOMPARE(amount.numberFormat, u"0.00"_s);
    QCOMPARE(sheet.style(4, col(BillColumn::Amount)).numberFormat, u"0.00"_s);
}

void tst_BillGrid::showsOnlyTheBillColumns()
{
    Sheet sheet;
    SetUpBillGrid(sheet, QString(), QString());
    const QList<int> leading = {3500, 3000, 2500, 9300, 3000, 7000, 2000};
    for (int column = 1; column <= 58; ++column) {
        const std::optional<int> width = sheet.columnWidth(column);
        if (column <= 7)
            QCOMPARE(width, std::optional<int>(leading[column - 1]));
        else if (column <= 36 || (column >= 43 && column <= 45))
            QCOMPARE(width, std::optional<int>(0));
        else if (column >= 46)
            QCOMPARE(width, std::optional<int>(3000));
        else
            QCOMPARE(width, std::nullopt);  // 37 to 42 keep the default width
    }
}

void tst_BillGrid::secondSetUpRemovesBillRowsAndTheirFormats()
{
    Sheet sheet;
    SetUpBillGrid(sheet, u"Daily"_s, u"Kochi"_s);
    sheet.setText(3, 1, u"Schedule Report on 05-Jan-2026"_s);
    sheet.setText(5, 1, u"KB/1"_s);
    sheet.setNumber(40000, 7, 12.5);
    sheet.setSelection(5, 1, 5, 58);
    sheet.setFill(0xffff0000);
    SetUpBillGrid(sheet, u"Daily"_s, u"Kochi"_s);
    QCOMPARE(sheet.lastUsedRow(), 4);
    QCOMPARE(sheet.text(3, 1), u"Receipt Report"_s);
    QCOMPARE(sheet.style(5, 1).fill, std::nullopt);
    QCOMPARE(sheet.text(4, 7), u"Amount"_s);
    // The amount format is laid again over the cleared rows.
    QCOMPARE(sheet.style(40000, 7).numberFormat, u"0.00"_s);
}

void tst_BillGrid::csvQuotesOnlyTheFieldsThatNeedIt()
{
    Sheet sheet;
    sheet.setText(1, 1, u"plain"_s);
    sheet.setText(1, 2, u"a, b"_s);
    sheet.setText(1, 3, u"say \"hi\" \"there\""_s);
    sheet.setText(1, 4, u"two\nlines"_s);
    sheet.setNumber(1, 5, 1500.5);
    sheet.setText(2, 1, u"കൊച്ചി, é"_s);
    sheet.setText(2, 3, u"\"\""_s);
    sheet.setText(2, 4, u"end\r"_s);
    QCOMPARE(gridCsv(sheet, 3, 5),
             QByteArray("plain,\"a, b\",\"say \"\"hi\"\" \"\"there\"\"\",\"two\nlines\",1500.5\n"
                        "\"\xe0\xb4\x95\xe0\xb5\x8a\xe0\xb4\x9a\xe0\xb5\x8d\xe0\xb4\x9a\xe0\xb4\xbf, "
                        "\xc3\xa9\",,\"\"\"\"\"\",\"end\r\",\n,,,,\n"));
}

QTEST_GUILESS_MAIN(tst_BillGrid)
#include "tst_billgrid.moc"
