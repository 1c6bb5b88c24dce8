#include "billing/gridcsv.h"

#include "common/csvtext.h"
#include "common/numbers.h"
#include "sheet/sheet.h"

#include <algorithm>
#include <vector>

namespace {

// Appends the UTF-8 bytes of `text`: plain ASCII copied as it is, anything after the first other
// character converted.
void appendUtf8(QByteArray &csv, QStringView text)
{
    const qsizetype start = csv.size();
    csv.resize(start + text.size());
    char *bytes = csv.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            csv.truncate(start + i);
            csv += text.mid(i).toUtf8();
            return;
        }
        bytes[i] = char(c);
    }
}

// A field as csvField() quotes it, written as UTF-8 straight into the file's bytes.
void appendField(QByteArray &csv, QStringView text)
{
    if (!csvNeedsQuotes(text)) {
        appendUtf8(csv, text);
        return;
    }
    csv += '"';
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(u'"'); at >= 0; at = text.indexOf(u'"', from)) {
        appendUtf8(csv, text.mid(from, at + 1 - from));
        csv += '"';
        from = at + 1;
    }
    appendUtf8(csv, text.mid(from));
    csv += '"';
}

}  // namespace

QByteArray gridCsv(const Sheet &sheet, int lastRow, int columnCount)
{
    QByteArray csv;
    // Room for the usual bills, so the text is seldom copied as it grows.
    csv.reserve(qsizetype(std::max(lastRow, 0)) * std::max(columnCount, 0) * 12);
    std::vector<Sheet::CellView> cells(size_t(std::max(columnCount, 0)));
    for (int row = 1; row <= lastRow; ++row) {
        sheet.readRow(row, cells);
        for (size_t column = 0; column < cells.size(); ++column) {
            if (column > 0)
                csv += ',';
            if (const QString *text = cells[column].text)
                appendField(csv, *text);
            else if (const double *number = cells[column].number)
                appendField(csv, shortestText(*number));
        }
        csv += '\n';
    }
    return csv;
}
