// The Excel 2007 workbook, written by libxlsxwriter. Every saved cell carries its format, the
// default style included (as Arial 10 pt, the grid's default font; the library's own default
// font would otherwise show through).
#include "sheet/workbookwriter.h"

#include "common/messages.h"
#include "common/outputfile.h"
#include "sheet/savedcells.h"
#include "sheet/sheet.h"

#include <QFile>

#include <xlsxwriter.h>

#include <unordered_map>

using namespace Qt::Literals::StringLiterals;

namespace {

lxw_color_t rgb(QRgb color)
{
    const lxw_color_t value = color & 0xFFFFFF;
    return value == 0 ? lxw_color_t(LXW_COLOR_BLACK) : value;  // 0 means "no colour" to the library
}

lxw_format *makeFormat(lxw_workbook *workbook, const Sheet::Style &style)
{
    lxw_format *format = workbook_add_format(workbook);
    const Sheet::Font &font = style.font;
    format_set_font_name(format, font.name.toUtf8().constData());
    format_set_font_size(format, font.size);
    if (font.bold)
        format_set_bold(format);
    if (font.italic)
        format_set_italic(format);
    if (font.underline)
        format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (font.strikeOut)
        format_set_font_strikeout(format);
    format_set_font_color(format, rgb(font.color));
    if (style.borderLeft)
        format_set_left(format, LXW_BORDER_THIN);
    if (style.borderRight)
        format_set_right(format, LXW_BORDER_THIN);
    if (style.borderTop)
        format_set_top(format, LXW_BORDER_THIN);
    if (style.borderBottom)
        format_set_bottom(format, LXW_BORDER_THIN);
    if (style.fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, rgb(*style.fill));
    }
    switch (style.hAlign) {
    case Sheet::HAlign::General: break;
    case Sheet::HAlign::Left: format_set_align(format, LXW_ALIGN_LEFT); break;
    case Sheet::HAlign::Center: format_set_align(format, LXW_ALIGN_CENTER); break;
    case Sheet::HAlign::Right: format_set_align(format, LXW_ALIGN_RIGHT); break;
    }
    if (style.vAlign == Sheet::VAlign::Top)
        format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    else if (style.vAlign == Sheet::VAlign::Center)
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    if (style.wordWrap)
        format_set_text_wrap(format);
    if (!style.numberFormat.isEmpty())
        format_set_num_format(format, style.numberFormat.toUtf8().constData());
    return format;
}

// Fills the worksheet; the first failure of the library stops it, and so does `progress`, which
// leaves `complete` false.
lxw_error fill(lxw_workbook *workbook, lxw_worksheet *worksheet, const Sheet &sheet, const Progress &progress,
               bool &complete)
{
    std::unordered_map<int, lxw_format *> formats;
    const auto formatOf = [&](int styleId) {
        auto it = formats.find(styleId);
        if (it == formats.end())
            it = formats.emplace(styleId, makeFormat(workbook, sheet.styleById(styleId))).first;
        return it->second;
    };
    for (const auto &[column, width] : sheet.columnWidths()) {
        lxw_row_col_options options{};
        options.hidden = width == 0;
        if (const lxw_error e = worksheet_set_column_opt(worksheet, lxw_col_t(column - 1), lxw_col_t(column - 1),
                                                         width / 256.0, nullptr, &options))
            return e;
    }
    for (const auto &[row, twips] : sheet.rowHeights()) {
        if (const lxw_error e = worksheet_set_row(worksheet, lxw_row_t(row - 1), twips / 20.0, nullptr))
            return e;
    }
    lxw_error status = LXW_NO_ERROR;
    for (int row = 1; row <= sheet.lastUsedRow() && status == LXW_NO_ERROR; ++row) {
        forEachSavedCell(sheet, row, [&](int column, int styleId, SavedCell kind) {
            if (status != LXW_NO_ERROR)
                return;
            const auto r = lxw_row_t(row - 1);
            const auto c = lxw_col_t(column - 1);
            if (kind == SavedCell::Number)
                status = worksheet_write_number(worksheet, r, c, sheet.number(row, column), formatOf(styleId));
            else if (kind == SavedCell::Text)
                status = worksheet_write_string(worksheet, r, c, sheet.text(row, column).toUtf8().constData(),
                                                formatOf(styleId));
            else
                status = worksheet_write_blank(worksheet, r, c, formatOf(styleId));
        });
        complete = goOn(progress, row, sheet.lastUsedRow());
        if (!complete)
            return status;
    }
    if (sheet.fixedRows() > 0)
        worksheet_freeze_panes(worksheet, lxw_row_t(sheet.fixedRows()), 0);
    return status;
}

}  // namespace

std::optional<QString> writeXlsx(const Sheet &sheet, OutputFile &output, const Progress &progress)
{
    // The library writes the file itself, by name: it fills the staging file.
    const QByteArray stagingName = QFile::encodeName(output.stagingPath());
    lxw_workbook *workbook = workbook_new(stagingName.constData());
    if (!workbook)
        return QString::fromUtf8(lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE));
    lxw_worksheet *worksheet = workbook_add_worksheet(workbook, "Sheet1");
    bool complete = true;
    const lxw_error filled =
        worksheet ? fill(workbook, worksheet, sheet, progress, complete) : LXW_ERROR_MEMORY_MALLOC_FAILED;
    const lxw_error closed = workbook_close(workbook);  // writes the file; frees the workbook
    if (!complete)
        return Msg::OutputStopped;
    if (filled != LXW_NO_ERROR || closed != LXW_NO_ERROR)
        return QString::fromUtf8(lxw_strerror(filled != LXW_NO_ERROR ? filled : closed));
    return std::nullopt;
}

std::optional<QString> writeXlsx(const Sheet &sheet, const QString &path)
{
    return writeWholeFile(path, [&sheet](OutputFile &output) { return writeXlsx(sheet, output); });
}
