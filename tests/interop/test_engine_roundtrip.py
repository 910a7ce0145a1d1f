#!/usr/bin/python3
"""The engine's test workbook as independent readers see it.

The spreadsheet test program writes the workbook it builds in code; xlrd (with formatting
information) must see the cells, fonts, borders, fills, number formats, palette, merges,
row heights, hidden rows and column widths that `quillora-cli dump` lists, and ssconvert
must convert it without a word on stderr.
"""
import subprocess
import sys

import xlrd

from interop_support import check, environment, failures, start, written_by_test

ERRORS = {"#NULL!": 0x00, "#DIV/0!": 0x07, "#VALUE!": 0x0F, "#REF!": 0x17, "#NAME?": 0x1D, "#NUM!": 0x24, "#N/A": 0x2A}
BORDERS = ["none", "thin", "medium", "dashed", "dotted", "thick", "double", "hair", "medium-dashed",
           "dash-dot", "medium-dash-dot", "dash-dot-dot", "medium-dash-dot-dot", "slant-dash-dot"]
def column_index(letters):
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n - 1


def parse_address(text):
    letters = "".join(ch for ch in text if ch.isalpha())
    return int(text[len(letters):]) - 1, column_index(letters)


def unquote(text):
    assert text.startswith('"') and text.endswith('"'), text
    out, i, body = [], 0, text[1:-1]
    while i < len(body):
        if body[i] == "\\":
            out.append({"n": "\n", "t": "\t", "r": "\r"}.get(body[i + 1], body[i + 1]))
            i += 2
        else:
            out.append(body[i])
            i += 1
    return "".join(out)


def parse_dump(text):
    """Sheets as lists of cell dictionaries, from the dump listing."""
    sheets = []
    for line in text.splitlines():
        if line.startswith("sheet "):
            sheets.append([])
            continue
        if line.startswith("  "):
            continue  # a settings line, not a cell
        parts = line.split("\t")
        cell = {"address": parse_address(parts[0]), "type": parts[1], "value": parts[2]}
        for part in parts[3:]:
            key, _, rest = part.partition("=")
            cell[key] = rest
        sheets[-1].append(cell)
    return sheets


def colour(book, index):
    if index in (0x7FFF, 64, 0x7F):
        return "auto"
    rgb = book.colour_map.get(index)
    if rgb is None:
        return "auto"
    return "#%02X%02X%02X" % rgb


def border_text(book, style, index):
    return "none" if style == 0 else "%s %s" % (BORDERS[style], colour(book, index))


def fill_text(book, background):
    if background.fill_pattern == 0:
        return "none"
    if background.fill_pattern == 1:
        return "solid " + colour(book, background.pattern_colour_index)
    back = background.background_colour_index
    return "pattern%d %s %s" % (background.fill_pattern, colour(book, background.pattern_colour_index),
                                colour(book, 9 if back == 65 else back))


def compare_cell(book, sheet, cell):
    row, col = cell["address"]
    where = "%s!%s" % (sheet.name, (row, col))
    xl = sheet.cell(row, col)
    kind = cell["type"].split(":")[-1]
    value = cell["value"]
    if kind == "blank":
        check(xl.ctype == xlrd.XL_CELL_BLANK, where + " should be blank")
    elif kind == "number":
        check(xl.ctype == xlrd.XL_CELL_NUMBER and xl.value == float(value), "%s number %r vs %r" % (where, xl.value, value))
    elif kind == "text":
        check(xl.ctype == xlrd.XL_CELL_TEXT and xl.value == unquote(value), "%s text differs" % where)
    elif kind == "boolean":
        check(xl.ctype == xlrd.XL_CELL_BOOLEAN and xl.value == (value == "TRUE"), where + " boolean")
    elif kind == "error":
        check(xl.ctype == xlrd.XL_CELL_ERROR and xl.value == ERRORS[value], where + " error")
    elif kind == "empty":
        check(xl.value == "", where + " empty formula result")
    xf = book.xf_list[xl.xf_index]
    font = book.font_list[xf.font_index]
    fmt = book.format_map[xf.format_key].format_str
    check('"%s"' % fmt.replace("\\", "\\\\").replace('"', '\\"') == cell["format"], "%s format %r vs %s" % (where, fmt, cell["format"]))
    size = font.height / 20
    font_text = '"%s" %s %s %s %s' % (font.name, ("%g" % size), "bold" if font.bold else "regular",
                                      "italic" if font.italic else "upright", colour(book, font.colour_index))
    check(font_text == cell["font"], "%s font %s vs %s" % (where, font_text, cell["font"]))
    check(fill_text(book, xf.background) == cell["fill"], "%s fill %s vs %s" % (where, fill_text(book, xf.background), cell["fill"]))
    b = xf.border
    for side, style, index in (("left", b.left_line_style, b.left_colour_index), ("right", b.right_line_style, b.right_colour_index),
                               ("top", b.top_line_style, b.top_colour_index), ("bottom", b.bottom_line_style, b.bottom_colour_index)):
        text = border_text(book, style, index)
        check(text == cell[side], "%s %s border %s vs %s" % (where, side, text, cell[side]))


def main():
    args, work, cli = start("engine-roundtrip")
    env = environment(work)
    workbook = written_by_test(cli, env, "QUILLORA_ENGINE_TEST_WORKBOOK",
                               "WorkbookRoundTrip.EveryFieldSurvivesAndASecondSaveIsIdentical",
                               work / "engine-test.xls")

    dump = subprocess.run([str(cli), "dump", str(workbook)], env=env, capture_output=True, text=True)
    check(dump.returncode == 0 and dump.stderr == "", "dump failed: " + dump.stderr)
    listing = parse_dump(dump.stdout)

    book = xlrd.open_workbook(str(workbook), formatting_info=True)
    check(book.nsheets == len(listing) == 2, "sheet count")
    check(book.sheet_by_index(0).name == "Wedding Budget", "first sheet name")
    check(book.sheet_by_index(1).visibility == 1, "second sheet hidden")
    for index, cells in enumerate(listing):
        sheet = book.sheet_by_index(index)
        for cell in cells:
            compare_cell(book, sheet, cell)
        check(len(cells) > 0, "sheet %d has cells" % index)

    check(book.colour_map[14] == (0xEA, 0xEA, 0xEA), "palette 14: %r" % (book.colour_map[14],))
    check(book.colour_map[45] == (0xC3, 0x7D, 0x8C), "palette 45: %r" % (book.colour_map[45],))
    check(book.format_map[164].format_str == '"$"#,##0.00_);[Red]\\("$"#,##0.00\\)', "format 164")
    sheet = book.sheet_by_index(0)
    check(sheet.merged_cells == [(0, 1, 0, 3)], "merges %r" % sheet.merged_cells)
    for row, height in ((0, 900), (1, 315), (3, 405), (117, 270)):
        check(sheet.rowinfo_map[row].height == height, "row %d height %r" % (row + 1, sheet.rowinfo_map[row].height))
    check(sheet.rowinfo_map[101].hidden == 1, "row 102 hidden")
    check(not sheet.rowinfo_map[0].hidden, "row 1 shown")
    check(sheet.colinfo_map[0].width == 9142, "column A width")
    check(sheet.colinfo_map[1].width == 5485 and sheet.colinfo_map[2].width == 5485, "columns B and C width")
    check(sheet.colinfo_map[5].hidden == 1, "column F hidden")
    # DIMENSIONS as stored: rows 1..118 (row 118 has only a height), columns A..D.
    check((sheet._dimnrows, sheet._dimncols) == (118, 4), "used area %r" % ((sheet._dimnrows, sheet._dimncols),))
    check(sheet.cell_value(14, 0).startswith("Wedding line 0; ") and len(sheet.cell_value(14, 0)) > 8224,
          "long compressed string")

    converted = work / "engine-test.xlsx"
    ssconvert = subprocess.run(["ssconvert", str(workbook), str(converted)], env=env, capture_output=True, text=True)
    check(ssconvert.returncode == 0, "ssconvert exit %d" % ssconvert.returncode)
    check(ssconvert.stderr == "" and ssconvert.stdout == "", "ssconvert said: %r %r" % (ssconvert.stdout, ssconvert.stderr))
    check(converted.exists() and converted.stat().st_size > 0, "ssconvert wrote nothing")

    if failures:
        print("\n".join(failures))
        sys.exit(1)
    print("engine test workbook: xlrd and ssconvert agree")


if __name__ == "__main__":
    main()
