// Fills the grid view's sheet with 10,000 bill rows of 58 columns, letting events run after each
// row as the bill form does, and prints the time against the same fill without a view.
#include "sheet/sheetview.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Bills = 10000;
constexpr int Columns = 58;

qint64 fill(Sheet &sheet, bool letEventsRun)
{
    QElapsedTimer timer;
    timer.start();
    for (int row = 5; row < 5 + Bills; ++row) {
        for (int column = 1; column <= Columns; ++column)
            sheet.setText(row, column, u"Text %1"_s.arg(column));
        sheet.setSelection(row, 1, row, Columns);
        sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
        if (row > 15)
            sheet.setTopRow(row - 12);
        if (letEventsRun)
            QCoreApplication::processEvents();
    }
    return timer.elapsed();
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Sheet bare;
    bare.setColumnCount(Columns);
    const qint64 bareMs = fill(bare, false);
    SheetView view;
    view.resize(1000, 700);
    view.sheet().setColumnCount(Columns);
    view.sheet().setFixedRows(4);
    view.show();
    const qint64 viewMs = fill(view.sheet(), true);
    std::printf("10,000 rows x 58: %lld ms without a view, %lld ms with a shown view and events after each row\n",
                bareMs, viewMs);
    return 0;
}
