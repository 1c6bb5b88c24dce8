#include "sheet/sheetmodel.h"
#include "sheet/sheetview.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The bill grid's layout calls, in the order its set-up makes them.
void setUpBillGrid(Sheet &sheet)
{
    sheet.setColumnCount(58);
    sheet.setRowHeight(1, 500);
    sheet.setTopRow(4);
    sheet.setText(1, 1, u"SV - DAILY EDITION TITLE THAT IS WIDE"_s);
    sheet.clearRange(5, 1, sheet.rowCount(), 58);
    sheet.setFixedRows(4);
    for (int c = 1; c <= 7; ++c)
        sheet.setColumnWidth(c, 3000);
    for (int c = 8; c <= 36; ++c)
        sheet.setColumnWidth(c, 0);
    for (int c = 43; c <= 45; ++c)
        sheet.setColumnWidth(c, 0);
    for (int c = 1; c <= 58; ++c)
        sheet.setText(4, c, u"Head %1"_s.arg(c));
    sheet.setSelection(4, 1, 4, 58);
    sheet.setBorders(true, true, true, true);
    sheet.setFill(0xffc0c0c0);
    sheet.setSelection(4, 7, sheet.rowCount(), 7);
    sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
    sheet.setNumberFormat(u"0.00"_s);
    sheet.setActiveCell(1, 1);
}

QModelIndex at(const SheetView &view, int row, int column) { return view.model()->index(row - 1, column - 1); }

}  // namespace

class tst_SheetView : public QObject
{
    Q_OBJECT
private slots:
    void showsCellsLikeASpreadsheet();
    void billGridLayoutHidesColumnsAndFreezesTheTitleBand();
    void changesReachTheViewCoalesced();
};

void tst_SheetView::showsCellsLikeASpreadsheet()
{
    SheetView view;
    Sheet &sheet = view.sheet();
    sheet.setColumnCount(30);
    sheet.setNumber(5, 7, 1500);
    sheet.setText(5, 1, u"B/1"_s);
    sheet.setSelection(5, 7, 5, 7);
    sheet.setNumberFormat(u"0.00"_s);
    Sheet::Font navy;
    navy.name = u"Book Antiqua"_s;
    navy.size = 14;
    navy.bold = true;
    navy.color = 0xff000080;
    sheet.setSelection(5, 1, 5, 1);
    sheet.setFont(navy);
    view.refresh();

    const QAbstractItemModel &model = *view.model();
    QCOMPARE(model.columnCount(), 30);
    QCOMPARE(model.rowCount(), Sheet::DefaultRowCount);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"A"_s);
    QCOMPARE(model.headerData(25, Qt::Horizontal).toString(), u"Z"_s);
    QCOMPARE(model.headerData(26, Qt::Horizontal).toString(), u"AA"_s);
    QCOMPARE(SheetModel::columnName(58), u"BF"_s);
    QCOMPARE(model.headerData(4, Qt::Vertical).toString(), u"5"_s);

    QCOMPARE(at(view, 5, 7).data().toString(), u"1500.00"_s);
    QCOMPARE(at(view, 5, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(at(view, 5, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignLeft);
    const QFont font = at(view, 5, 1).data(Qt::FontRole).value<QFont>();
    QCOMPARE(font.family(), u"Book Antiqua"_s);
    QCOMPARE(font.pointSizeF(), 14.0);
    QVERIFY(font.bold());
    QCOMPARE(at(view, 5, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 128));
    QVERIFY(!at(view, 5, 2).data(Qt::BackgroundRole).isValid());
}

void tst_SheetView::billGridLayoutHidesColumnsAndFreezesTheTitleBand()
{
    SheetView view;
    view.resize(900, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    setUpBillGrid(view.sheet());
    view.refresh();

    for (int c = 1; c <= 58; ++c) {
        const bool hidden = (c >= 8 && c <= 36) || (c >= 43 && c <= 45);
        QCOMPARE(view.isColumnHidden(c - 1), hidden);
        QCOMPARE(view.frozenView()->isColumnHidden(c - 1), hidden);
    }
    QCOMPARE(view.columnWidth(0), view.columnPixels(3000));
    QCOMPARE(view.columnWidth(36), view.columnPixels(8 * 256));  // never given a width
    QVERIFY(view.columnPixels(3000) > view.columnPixels(2000));
    QCOMPARE(view.rowHeight(0), 33);  // 500 twips
    QCOMPARE(view.rowHeight(1), 17);
    QCOMPARE(view.frozenHeight(), 33 + 3 * 17);
    QVERIFY(view.frozenView()->isVisible());
    QCOMPARE(view.frozenView()->height(), view.horizontalHeader()->height() + view.frozenHeight());
    QCOMPARE(view.currentIndex(), at(view, 1, 1));
    QCOMPARE(view.verticalScrollBar()->value(), 0);
    QCOMPARE(view.rowAt(view.frozenHeight() + 1), 4);  // row 5 right under the band

    // Generation scrolls so that row 88 heads the rows below the band.
    for (int row = 5; row <= 100; ++row)
        view.sheet().setNumber(row, 7, row);
    view.sheet().setTopRow(88);
    view.sheet().setRowHeight(60, 0);
    view.refresh();
    QVERIFY(view.isRowHidden(59));
    QCOMPARE(view.rowAt(view.frozenHeight() + 1), 87);
    QCOMPARE(view.frozenView()->rowAt(view.frozenView()->horizontalHeader()->height() + 1), 0);

    // The active cell below the band is brought out from under it.
    view.sheet().setActiveCell(40, 2);
    view.refresh();
    QCOMPARE(view.currentIndex(), at(view, 40, 2));
    QVERIFY(view.rowViewportPosition(39) >= view.frozenHeight());
    QVERIFY(view.rowViewportPosition(39) < view.viewport()->height());

    // Painting covers borders, fills and the title running over empty cells.
    QVERIFY(!view.grab().isNull());

    view.sheet().setFixedRows(0);
    view.refresh();
    QVERIFY(!view.frozenView()->isVisible());
}

void tst_SheetView::changesReachTheViewCoalesced()
{
    SheetView view;
    view.sheet().setColumnCount(58);
    view.refresh();
    QSignalSpy changed(view.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(view.model(), &QAbstractItemModel::modelReset);
    for (int row = 5; row < 505; ++row)
        for (int c = 1; c <= 58; ++c)
            view.sheet().setText(row, c, u"x"_s);
    view.sheet().clearRange(5, 1, view.sheet().rowCount(), 58);
    QCOMPARE(changed.count(), 0);
    view.refresh();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 4);
    QCOMPARE(changed.first().at(1).toModelIndex().row(), Sheet::DefaultRowCount - 1);
    QCOMPARE(reset.count(), 0);

    // Left alone, the view catches up by itself.
    view.sheet().setText(70000, 1, u"far"_s);
    QTRY_COMPARE(view.model()->rowCount(), 70000);
    QCOMPARE(at(view, 70000, 1).data().toString(), u"far"_s);
}

QTEST_MAIN(tst_SheetView)
#include "tst_sheetview.moc"
