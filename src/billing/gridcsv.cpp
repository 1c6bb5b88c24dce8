#include "billing/gridcsv.h"

#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

}  // namespace

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
