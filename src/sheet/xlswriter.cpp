// The Excel 97-2003 (BIFF8) workbook: a globals substream (fonts, cell formats, the sheet's
// entry, the shared strings) and one worksheet substream "Sheet1", stored as the stream
// "Workbook" of a Compound File. Nothing in it depends on the clock or the user, so the same
// grid always gives the same bytes.
#include "sheet/workbookwriter.h"

#include "common/messages.h"
#include "sheet/biffrecords.h"
#include "sheet/cfbcontainer.h"
#include "sheet/savedcells.h"
#include "sheet/xlsstyles.h"

#include "common/outputfile.h"

#include <climits>
#include <unordered_map>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int MaxRows = 65536;
constexpr int MaxColumns = 256;
constexpr int MaxTextLength = 32767;
constexpr int RowsPerBlock = 32;
constexpr quint16 DefaultRowTwips = 255;
constexpr quint32 RowFlags = 0x000F0100;  // the always-set bit and the default cell XF 15
constexpr quint32 HeightSetByHand = 0x40;
constexpr quint32 HiddenRow = 0x20;
constexpr int MaxRowTwips = 8192;
constexpr quint16 DefaultColumnChars = 8;

Biff::Data bof(quint16 type) { return Biff::Data().u16(0x0600).u16(type).u16(0x0DBB).u16(0x07CC).u32(0x41).u32(0x06); }

class XlsBuilder
{
public:
    XlsBuilder(const Sheet &sheet, const Progress &progress) : m_sheet(sheet), m_progress(progress), m_styles(sheet) {}

    std::optional<QString> build(QByteArray &workbook);

private:
    std::optional<QString> cellTable(Biff::Stream &table);
    std::optional<QString> rowCells(int row, Biff::Stream &cells, int &first, int &last);
    void columns(Biff::Stream &sheet) const;
    void window(Biff::Stream &sheet) const;
    quint32 stringIndex(const QString &text);

    const Sheet &m_sheet;
    const Progress &m_progress;
    XlsStyles m_styles;
    std::unordered_map<QString, quint32> m_stringIndexes;
    QStringList m_strings;
    quint32 m_labels = 0;
    int m_firstRow = INT_MAX, m_lastRow = 0, m_firstColumn = INT_MAX, m_lastColumn = 0;
};

quint32 XlsBuilder::stringIndex(const QString &text)
{
    ++m_labels;
    const auto [it, added] = m_stringIndexes.try_emplace(text, quint32(m_strings.size()));
    if (added)
        m_strings.append(text);
    return it->second;
}

// The cell records of one row; first and last are its first and last saved columns (0 when none).
std::optional<QString> XlsBuilder::rowCells(int row, Biff::Stream &cells, int &first, int &last)
{
    std::optional<QString> failure;
    int blankStart = 0;
    std::vector<quint16> blanks;
    const auto flushBlanks = [&] {
        if (blanks.size() == 1) {
            cells.record(Biff::Blank, Biff::Data().u16(quint16(row - 1)).u16(quint16(blankStart - 1)).u16(blanks[0]));
        } else if (!blanks.empty()) {
            Biff::Data data;
            data.u16(quint16(row - 1)).u16(quint16(blankStart - 1));
            for (const quint16 xf : blanks)
                data.u16(xf);
            cells.record(Biff::MulBlank, data.u16(quint16(blankStart - 1 + blanks.size() - 1)));
        }
        blanks.clear();
    };
    first = last = 0;
    forEachSavedCell(m_sheet, row, [&](int column, int styleId, SavedCell kind) {
        if (failure)
            return;
        if (column > MaxColumns) {
            failure = Msg::SheetTooLargeForXls;
            return;
        }
        if (first == 0)
            first = column;
        const quint16 xf = m_styles.xf(styleId);
        if (kind == SavedCell::Blank && !blanks.empty() && blankStart + int(blanks.size()) == column) {
            blanks.push_back(xf);
            last = column;
            return;
        }
        flushBlanks();
        last = column;
        const auto place = Biff::Data().u16(quint16(row - 1)).u16(quint16(column - 1)).u16(xf);
        if (kind == SavedCell::Blank) {
            blankStart = column;
            blanks.push_back(xf);
        } else if (kind == SavedCell::Number) {
            cells.record(Biff::Number, Biff::Data(place).f64(m_sheet.number(row, column)));
        } else {
            const QString text = m_sheet.text(row, column);
            if (text.size() > MaxTextLength)
                failure = Msg::TextTooLongForXls;
            else
                cells.record(Biff::LabelSst, Biff::Data(place).u32(stringIndex(text)));
        }
    });
    flushBlanks();
    return failure;
}

// ROW records and cells in blocks of 32 rows, each block's ROW records before its cells.
std::optional<QString> XlsBuilder::cellTable(Biff::Stream &table)
{
    if (m_sheet.lastUsedRow() > MaxRows)
        return Msg::SheetTooLargeForXls;
    m_stringIndexes.reserve(size_t(m_sheet.lastUsedRow()) * size_t(m_sheet.columnCount()));
    std::vector<int> rows;
    for (int row = 1; row <= m_sheet.lastUsedRow(); ++row)
        rows.push_back(row);
    for (const auto &[row, twips] : m_sheet.rowHeights()) {
        if (row > m_sheet.lastUsedRow() && row <= MaxRows)
            rows.push_back(row);
    }
    Biff::Stream rowRecords, cellRecords;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        Biff::Stream cells;
        int first = 0, last = 0;
        if (const std::optional<QString> failure = rowCells(row, cells, first, last))
            return failure;
        const std::optional<int> height = m_sheet.rowHeight(row);
        if (first > 0) {
            m_firstRow = std::min(m_firstRow, row);
            m_lastRow = row;
            m_firstColumn = std::min(m_firstColumn, first);
            m_lastColumn = std::max(m_lastColumn, last);
        }
        if (first > 0 || height) {
            Biff::Data data;
            data.u16(quint16(row - 1)).u16(quint16(first > 0 ? first - 1 : 0)).u16(quint16(last));
            // A height of 0 hides the row; the format allows heights from 2 to 8192 twips.
            const bool hidden = height == 0;
            const quint16 twips = height && !hidden ? quint16(std::clamp(*height, 2, MaxRowTwips)) : DefaultRowTwips;
            data.u16(twips).u16(0).u16(0);
            rowRecords.record(Biff::Row,
                              data.u32(RowFlags | (height ? HeightSetByHand : 0) | (hidden ? HiddenRow : 0)));
            cellRecords.append(cells.bytes());
        }
        if (!goOn(m_progress, int(i) + 1, int(rows.size())))
            return Msg::OutputStopped;
        const bool blockEnds = i + 1 == rows.size() || (rows[i + 1] - 1) / RowsPerBlock != (row - 1) / RowsPerBlock;
        if (blockEnds) {
            table.append(rowRecords.bytes());
            table.append(cellRecords.bytes());
            rowRecords = {};
            cellRecords = {};
        }
    }
    return std::nullopt;
}

// Column widths, consecutive columns of one width in one record; width 0 hides.
void XlsBuilder::columns(Biff::Stream &sheet) const
{
    const auto &widths = m_sheet.columnWidths();
    for (auto it = widths.begin(); it != widths.end() && it->first <= MaxColumns;) {
        const int first = it->first;
        const int width = it->second;
        int last = first;
        for (++it; it != widths.end() && it->first == last + 1 && it->first <= MaxColumns && it->second == width; ++it)
            last = it->first;
        Biff::Data data;
        data.u16(quint16(first - 1)).u16(quint16(last - 1)).u16(quint16(std::min(width, 0xFFFF)));
        data.u16(XlsStyles::DefaultCellXf).u16(width == 0 ? 0x03 : 0x02).u16(0);
        sheet.record(Biff::ColInfo, data);
    }
}

// The view: the frozen band of rows as a pane, or the top row.
void XlsBuilder::window(Biff::Stream &sheet) const
{
    const int fixed = std::min(m_sheet.fixedRows(), MaxRows - 1);
    const quint16 top = quint16(std::min(m_sheet.topRow(), MaxRows) - 1);
    quint16 options = 0x06B6;  // grid lines, headings, zeros, default header colour, outline, selected, paged
    if (fixed > 0)
        options |= 0x0008 | 0x0100;  // frozen, without a split bar
    sheet.record(Biff::Window2,
                 Biff::Data().u16(options).u16(fixed > 0 ? 0 : top).u16(0).u16(0x40).u16(0).u16(0).u16(0).u32(0));
    if (fixed > 0) {
        const quint16 below = std::max(quint16(fixed), top);
        sheet.record(Biff::Pane, Biff::Data().u16(0).u16(quint16(fixed)).u16(below).u16(0).u8(2).u8(0));
    }
}

std::optional<QString> XlsBuilder::build(QByteArray &workbook)
{
    Biff::Stream table;
    if (const std::optional<QString> failure = cellTable(table))
        return failure;

    Biff::Stream sheet;
    sheet.record(Biff::Bof, bof(0x0010));
    sheet.record(Biff::WsBool, Biff::Data().u16(0x04C1));
    sheet.record(Biff::DefColWidth, Biff::Data().u16(DefaultColumnChars));
    columns(sheet);
    const bool empty = m_lastRow == 0;
    sheet.record(Biff::Dimensions, Biff::Data()
                                       .u32(empty ? 0 : m_firstRow - 1)
                                       .u32(quint32(m_lastRow))
                                       .u16(quint16(empty ? 0 : m_firstColumn - 1))
                                       .u16(quint16(m_lastColumn))
                                       .u16(0));
    sheet.append(table.bytes());
    table = {};
    window(sheet);
    sheet.record(Biff::Eof);

    Biff::Stream globals;
    globals.record(Biff::Bof, bof(0x0005));
    globals.record(Biff::CodePage, Biff::Data().u16(1200));
    globals.record(
        Biff::Window1,
        Biff::Data().u16(0x01E0).u16(0x005A).u16(0x3FCF).u16(0x2A4E).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258));
    m_styles.write(globals);
    const qsizetype sheetPosition = globals.size() + 4;  // lbPlyPos, right after the record header
    globals.record(Biff::BoundSheet, Biff::Data().u32(0).u8(0).u8(0).shortString(u"Sheet1"_s));
    Biff::writeSharedStrings(globals, m_strings, m_labels);
    globals.record(Biff::Eof);
    globals.patchU32(sheetPosition, quint32(globals.size()));

    workbook = globals.bytes() + sheet.bytes();
    return std::nullopt;
}

}  // namespace

std::optional<QString> writeXls(const Sheet &sheet, OutputFile &output, const Progress &progress)
{
    QByteArray workbook;
    if (const std::optional<QString> failure = XlsBuilder(sheet, progress).build(workbook))
        return failure;
    if (!writeCompoundFile(output.device(), u"Workbook"_s, workbook))
        return output.failure();
    return std::nullopt;
}

std::optional<QString> writeXls(const Sheet &sheet, const QString &path)
{
    return writeWholeFile(path, [&sheet](OutputFile &output) { return writeXls(sheet, output); });
}
