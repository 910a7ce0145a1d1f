#!/usr/bin/python3
"""The embedded workbook template as independent readers see it.

`quillora-cli template` writes the template; xlrd (with formatting information) must see its
palette, fonts, fills, borders, alignment, number format, merge, row heights, hidden row, column
widths and defined names. Then `quillora-cli set` writes an amount into each of the 142 input
cells and `ssconvert --recalc` must give section totals and grand totals equal to the sums.
"""
import argparse
import csv
import io
import pathlib
import shutil
import subprocess
import sys

import xlrd

from interop_support import check, finish
from interop_support import environment as shared_environment


CURRENCY = '"$"#,##0.00_);[Red]\\("$"#,##0.00\\)'
ROSE, GREY, SILVER, LIGHT = (0xC3, 0x7D, 0x8C), (0x80, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0xEA, 0xEA, 0xEA)
WHITE, RED = (0xFF, 0xFF, 0xFF), (0xFF, 0x00, 0x00)
THIN, MEDIUM, DOUBLE = 1, 2, 6

# Section: caption, heading row, first item row, total row, total label.
SECTIONS = [
    ("Apparel", 7, 9, 20, "Total Apparel"),
    ("Decorations", 22, 24, 30, "Total Decorations"),
    ("Gifts", 32, 34, 39, "Total Gifts"),
    ("Flowers", 41, 43, 49, "Total Flowers"),
    ("Music", 51, 53, 56, "Total Music"),
    ("Photography", 58, 60, 66, "Total Photography"),
    ("Reception (excludes music and decorations)", 68, 70, 79, "Total Reception"),
    ("Stationery/Printing", 81, 83, 93, "Total Stationery/Printing"),
    ("Transportation", 95, 97, 101, "Total Transportation"),
    ("Other Expenses", 104, 106, 117, "Total Other Expenses"),
]

# Cell: font (name, points, bold, colour or None for automatic), fill colour or None,
# borders (left, right, top, bottom) as (style, colour) or None, horizontal, vertical, indent,
# currency format.
H_GENERAL, H_LEFT, H_CENTRE, H_RIGHT = 0, 1, 2, 3
V_CENTRE, V_BOTTOM = 1, 2
TAHOMA10, TAHOMA10B = ("Tahoma", 10, False, None), ("Tahoma", 10, True, None)
INPUT_MID = ((THIN, SILVER), (THIN, SILVER), (THIN, SILVER), (THIN, SILVER))
INPUT_FIRST = ((THIN, SILVER), (THIN, SILVER), (THIN, GREY), (THIN, SILVER))
INPUT_LAST = ((THIN, SILVER), (THIN, SILVER), (THIN, SILVER), None)
TOTALS = ((THIN, SILVER), (THIN, SILVER), (DOUBLE, GREY), (DOUBLE, GREY))
NONE4 = (None, None, None, None)
LOOKS = {
    "A1": (("Monotype Corsiva", 24, False, WHITE), ROSE, NONE4, H_CENTRE, V_CENTRE, 0, False),
    "C3": (("Tahoma", 11, True, None), None, NONE4, H_RIGHT, V_CENTRE, 1, False),
    "A4": (("Tahoma", 11, True, None), None, (None, None, (THIN, ROSE), (THIN, ROSE)), H_RIGHT, V_CENTRE, 1, False),
    "B4": (("Tahoma", 11, True, ROSE), None, (None, None, (THIN, ROSE), (THIN, ROSE)), H_RIGHT, V_CENTRE, 1, True),
    "A5": (("Times New Roman", 12, True, GREY), None, NONE4, H_RIGHT, V_BOTTOM, 0, False),
    "B5": (("Times New Roman", 12, True, RED), None, NONE4, H_RIGHT, V_BOTTOM, 0, True),
    "B7": (TAHOMA10B, None, NONE4, H_RIGHT, V_CENTRE, 1, False),
    "C22": (TAHOMA10B, None, (None, None, None, (MEDIUM, ROSE)), H_RIGHT, V_CENTRE, 1, False),
    "B104": (TAHOMA10B, None, (None, None, None, (MEDIUM, ROSE)), H_RIGHT, V_CENTRE, 0, False),
    "A8": (TAHOMA10B, WHITE, (None, None, (MEDIUM, ROSE), (THIN, GREY)), H_LEFT, V_CENTRE, 1, False),
    "B42": (TAHOMA10B, WHITE, (None, None, (MEDIUM, ROSE), None), H_LEFT, V_CENTRE, 1, False),
    "A43": (TAHOMA10, None, (None, None, (THIN, GREY), None), H_LEFT, V_CENTRE, 1, False),
    "A44": (TAHOMA10, None, NONE4, H_LEFT, V_CENTRE, 1, False),
    "B43": (TAHOMA10, LIGHT, INPUT_FIRST, H_RIGHT, V_CENTRE, 1, True),
    "C45": (TAHOMA10, LIGHT, INPUT_MID, H_RIGHT, V_CENTRE, 1, True),
    "B48": (TAHOMA10, LIGHT, INPUT_LAST, H_RIGHT, V_CENTRE, 1, True),
    "C111": (TAHOMA10, LIGHT, INPUT_MID, H_RIGHT, V_CENTRE, 0, True),
    "A49": (TAHOMA10B, None, NONE4, H_LEFT, V_CENTRE, 1, False),
    "B49": (("Tahoma", 10, True, ROSE), None, TOTALS, H_RIGHT, V_CENTRE, 1, True),
    "C30": (("Tahoma", 10, True, ROSE), None, TOTALS, H_RIGHT, V_CENTRE, 0, True),
    "A50": (("Arial", 9, True, None), None, NONE4, H_GENERAL, V_BOTTOM, 0, False),
    "C50": (("Arial", 9, True, RED), None, NONE4, H_RIGHT, V_BOTTOM, 0, True),
    "B94": (("Arial", 10, True, None), None, NONE4, H_GENERAL, V_BOTTOM, 0, True),
}

# Heights in twips of the rows outside the sections; section rows follow from SECTIONS.
HEIGHTS = {1: 900, 2: 315, 3: 255, 4: 405, 5: 315, 6: 255, 21: 342, 31: 342, 40: 342, 50: 342, 57: 342,
           67: 342, 80: 330, 94: 342, 103: 342, 118: 270}


def environment(work):
    return shared_environment(work, LC_ALL="C.UTF-8", LANG="en_US.UTF-8")


def address(name):
    return int(name[1:]) - 1, ord(name[0]) - ord("A")


def rgb(book, index):
    value = book.colour_map.get(index)
    return tuple(value) if value is not None else None


def look(book, sheet, name):
    row, column = address(name)
    xf = book.xf_list[sheet.cell_xf_index(row, column)]
    font = book.font_list[xf.font_index]
    colour = None if font.colour_index in (0x7FFF, 64) else rgb(book, font.colour_index)
    fill = rgb(book, xf.background.pattern_colour_index) if xf.background.fill_pattern == 1 else None
    b = xf.border

    def side(style, colour_index):
        return (style, rgb(book, colour_index)) if style else None

    borders = (side(b.left_line_style, b.left_colour_index), side(b.right_line_style, b.right_colour_index),
               side(b.top_line_style, b.top_colour_index), side(b.bottom_line_style, b.bottom_colour_index))
    a = xf.alignment
    currency = book.format_map[xf.format_key].format_str == CURRENCY
    return ((font.name, font.height // 20, bool(font.bold), colour), fill, borders, a.hor_align, a.vert_align,
            a.indent_level, currency)


def check_with_xlrd(path):
    book = xlrd.open_workbook(str(path), formatting_info=True)
    check(book.nsheets == 1, f"{book.nsheets} sheets")
    sheet = book.sheet_by_index(0)
    check(sheet.name == "Wedding Budget", f"sheet name {sheet.name!r}")
    check(rgb(book, 14) == LIGHT, f"palette 14 is {rgb(book, 14)}")
    check(rgb(book, 45) == ROSE, f"palette 45 is {rgb(book, 45)}")
    check(rgb(book, 22) == SILVER and rgb(book, 23) == GREY, "palette 22/23 changed")
    check(book.font_list[0].name == "Arial" and book.font_list[0].height == 200, "standard font is not Arial 10")

    for name, expected in LOOKS.items():
        actual = look(book, sheet, name)
        check(actual == expected, f"{name}: {actual} != {expected}")

    check(sheet.cell_value(0, 0) == "Wedding Budget", "title")
    check(sheet.cell_value(44 - 1, 0) == "Boutonni\u00e8res", f"A44 {sheet.cell_value(43, 0)!r}")
    check(sheet.cell_value(19 - 1, 0) == "Other" + "_" * 23, f"A19 {sheet.cell_value(18, 0)!r}")
    check(sheet.cell_value(10 - 1, 0) == "Wedding rings", "A10 keeps a trailing blank")
    check(sheet.cell_value(84 - 1, 0) == "Announcements", "A84 keeps a trailing blank")
    for caption, heading, first, total, label in SECTIONS:
        check(sheet.cell_value(heading, 0) == caption, f"caption of {caption}")
        check(sheet.cell_value(total - 1, 0) == label, f"total label of {caption}")
        for row in range(first, total):
            for column in (1, 2):
                check(sheet.cell_type(row - 1, column) == xlrd.XL_CELL_BLANK, f"input {row},{column} not blank")
        check(sheet.cell_value(total - 1, 1) == 0.0, f"cached total of {caption}")

    check(sheet.merged_cells == [(0, 1, 0, 3)], f"merges {sheet.merged_cells}")
    widths = {c: sheet.colinfo_map[c].width for c in range(3) if c in sheet.colinfo_map}
    check(widths == {0: 9142, 1: 5485, 2: 5485}, f"widths {widths}")
    heights = dict(HEIGHTS)
    for _, heading, _, total, _ in SECTIONS:
        heights.update({row: 300 for row in range(heading, total)})
        heights[total] = 390
    for row in range(1, 119):
        info = sheet.rowinfo_map.get(row - 1)
        if row == 102:
            check(info is not None and info.hidden, "row 102 is not hidden")
            continue
        height = info.height if info is not None else sheet.default_row_height
        check(height == heights.get(row, 255), f"row {row} height {height}")
        check(info is None or not info.hidden, f"row {row} hidden")
    # The last filled row is 117; row 118 is recorded, empty, with its own height.
    check(sheet.nrows == 117 and sheet.ncols == 3, f"used area {sheet.nrows} rows x {sheet.ncols} columns")
    check(not sheet.show_grid_lines, "gridlines shown")

    names = {(n.name, n.scope): n for n in book.name_obj_list}
    titles = names.get(("Print_Titles", 0))
    if titles is None:
        print("note: no sheet-level Print_Titles name in this build")
    else:
        area = titles.area2d(clipped=False)
        check(area[1:] == (0, 6, 0, 256), f"Print_Titles {area[1:]}")


def amounts():
    """An amount for each input cell: cents that exercise rounding, one negative per section."""
    values = {}
    for index, (_, _, first, total, _) in enumerate(SECTIONS):
        for row in range(first, total):
            for column in "BC":
                cents = (row * 137 + (7 if column == "C" else 3) * index * 101) % 250000 + 1
                if row == first and column == "C":
                    cents = -cents
                values[f"{column}{row}"] = cents
    return values


def check_totals(cli, path, work, env):
    usage = subprocess.run([cli, "help"], capture_output=True, text=True, env=env).stdout
    if "set FILE" not in usage:
        print("SKIP totals: this quillora-cli has no set command")
        return
    values = amounts()
    check(len(values) == 142, f"{len(values)} input cells")
    filled = work / "filled.xls"
    filled.unlink(missing_ok=True)
    args = [f"{cell}={cents / 100:.2f}" for cell, cents in values.items()]
    run = subprocess.run([cli, "set", str(path), str(filled), *args], capture_output=True, text=True, env=env)
    check(run.returncode == 0, f"set failed: {run.stderr.strip()}")
    if run.returncode != 0:
        return
    out = work / "filled.csv"
    out.unlink(missing_ok=True)
    subprocess.run(["ssconvert", "--recalc", "-O", "format=raw", "-T", "Gnumeric_stf:stf_assistant",
                    str(filled), str(out)], check=True, capture_output=True, env=env)
    rows = list(csv.reader(io.StringIO(out.read_text(encoding="utf-8"))))

    def cents_at(row, column):
        return round(float(rows[row - 1][column]) * 100)

    grand = [0, 0]
    for caption, _, first, total, _ in SECTIONS:
        for c, letter in enumerate("BC"):
            want = sum(values[f"{letter}{row}"] for row in range(first, total))
            check(cents_at(total, c + 1) == want, f"{caption} {letter}{total}: {cents_at(total, c + 1)} != {want}")
            grand[c] += want
    check(cents_at(4, 1) == grand[0], f"B4 {cents_at(4, 1)} != {grand[0]}")
    check(cents_at(4, 2) == grand[1], f"C4 {cents_at(4, 2)} != {grand[1]}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--shared", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    work = pathlib.Path(args.work) / "template"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = environment(work)

    path = work / "template.xlt"
    subprocess.run([args.cli, "template", str(path)], check=True, env=env)
    again = subprocess.run([args.cli, "template", str(path)], capture_output=True, text=True, env=env)
    check(again.returncode == 1 and "already exists" in again.stderr, f"overwrite not refused: {again.stderr!r}")

    check_with_xlrd(path)
    check_totals(args.cli, path, work, env)

    return finish()


if __name__ == "__main__":
    sys.exit(main())
