#include "gridtexts.h"

#include "billing/billcolumns.h"
#include "sheet/sheet.h"

BillFilter billDates(const QString &unit, const QString &from, const QString &to)
{
    BillFilter filter;
    filter.from = QDate::fromString(from, Qt::ISODate);
    filter.to = QDate::fromString(to.isEmpty() ? from : to, Qt::ISODate);
    filter.unitCode = unit;
    return filter;
}

QStringList billColumn(const Sheet &sheet, int column)
{
    QStringList texts;
    for (int row = FirstBillRow; !sheet.text(row, 1).isEmpty(); ++row)
        texts.append(sheet.text(row, column));
    return texts;
}

QList<QStringList> sheetTexts(const Sheet &sheet, int lastRow, int columns)
{
    QList<QStringList> rows;
    for (int row = 1; row <= lastRow; ++row) {
        QStringList texts;
        for (int column = 1; column <= columns; ++column)
            texts.append(sheet.text(row, column));
        rows.append(texts);
    }
    return rows;
}
