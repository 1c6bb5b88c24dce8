#include "billing/gridcsv.h"

#include "common/csvtext.h"
#include "sheet/sheet.h"

QByteArray gridCsv(const Sheet &sheet, int lastRow, int columnCount)
{
    QString csv;
    for (int row = 1; row <= lastRow; ++row) {
        for (int column = 1; column <= columnCount; ++column) {
            if (column > 1)
                csv += u',';
            csv += csvField(sheet.text(row, column));
        }
        csv += u'\n';
    }
    return csv.toUtf8();
}
