"""Reads a workbook back with independent readers and prints what they saw as JSON.

usage: readback.py xls PATH [ROW,COL ...]   values, layout and the formats of the named cells (1-based)
       readback.py xlsx PATH                values (xlrd) and the parts of the package (zipfile)
Exit status 3 when xlrd is not installed.
"""
import json
import sys
import zipfile

try:
    import xlrd
except ImportError:
    sys.exit(3)


def rgb(book, index):
    colour = book.colour_map.get(index)
    return list(colour) if colour else None


def cell_format(book, sheet, row, col):
    xf = book.xf_list[sheet.cell_xf_index(row, col)]
    font = book.font_list[xf.font_index]
    border = xf.border
    return {
        "font": {"name": font.name, "height": font.height, "weight": font.weight, "bold": font.bold,
                 "italic": font.italic, "underline": font.underline_type, "colour": rgb(book, font.colour_index)},
        "format": book.format_map[xf.format_key].format_str,
        "hor": xf.alignment.hor_align, "vert": xf.alignment.vert_align, "wrap": xf.alignment.text_wrapped,
        "borders": [border.left_line_style, border.right_line_style, border.top_line_style, border.bottom_line_style],
        "fill": xf.background.fill_pattern, "fill_colour": rgb(book, xf.background.pattern_colour_index),
    }


def values(sheet):
    return [[[sheet.cell_type(r, c), sheet.cell_value(r, c)] for c in range(sheet.ncols)] for r in range(sheet.nrows)]


def read_xls(path, cells):
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    formats = {}
    for cell in cells:
        row, col = (int(x) for x in cell.split(","))
        formats[cell] = cell_format(book, sheet, row - 1, col - 1)
    return {
        "sheets": book.sheet_names(), "codepage": book.codepage, "values": values(sheet), "formats": formats,
        "columns": {str(c + 1): [info.width, info.hidden] for c, info in sheet.colinfo_map.items()},
        "rows": {str(r + 1): info.height for r, info in sheet.rowinfo_map.items() if not info.has_default_height},
        "hidden_rows": [r + 1 for r, info in sheet.rowinfo_map.items() if info.hidden],
        "frozen": sheet.panes_are_frozen, "split": sheet.horz_split_pos,
    }


def read_xlsx(path):
    book = xlrd.open_workbook(path)
    sheet = book.sheet_by_index(0)
    with zipfile.ZipFile(path) as package:
        parts = {name: package.read(name).decode("utf-8") for name in package.namelist() if name.endswith(".xml")}
    return {"sheets": book.sheet_names(), "values": values(sheet), "parts": parts}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    result = read_xls(path, sys.argv[3:]) if kind == "xls" else read_xlsx(path)
    json.dump(result, sys.stdout)
