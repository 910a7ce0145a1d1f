#!/usr/bin/python3
"""`quillora-cli generate` read back by independent readers.

The sample budget: xlrd finds every sample amount in its cell and every total to the cent,
`ssconvert --recalc` agrees, and the picture is the sheet as `render` draws it. A bad amounts
file is refused with its line and leaves nothing behind; a template.xlt of the user's own in
the temporary folder is used. Under German and French settings the amounts show euros.
(Random budgets typed in every accepted form: test_generate_sweep.py.)
"""
import csv
import io
import subprocess
import sys
from decimal import Decimal

import xlrd

from interop_support import check, environment, start, finish

# Caption, first item row, total row (1-based), as the template lays them out.
SECTIONS = [("Apparel", 9, 20), ("Decorations", 24, 30), ("Gifts", 34, 39), ("Flowers", 43, 49),
            ("Music", 53, 56), ("Photography", 60, 66), ("Reception", 70, 79),
            ("Stationery/Printing", 83, 93), ("Transportation", 97, 101), ("Other Expenses", 106, 117)]


def amounts_rows(cli, env, *options):
    """The rows of `quillora-cli amounts`: [category, item, estimated, actual]."""
    text = subprocess.run([cli, "amounts", *options], check=True, capture_output=True, text=True, env=env).stdout
    return list(csv.reader(io.StringIO(text)))


def right_to_the_cent(value, cents):
    """True when the number `value` rounds to exactly `cents` hundredths."""
    return abs(Decimal(value) * 100 - cents) < Decimal("0.5")


def cells_of(pairs):
    """Input cell -> cents, from (estimated, actual) cents in the window's order."""
    cells, items = {}, iter(pairs)
    for _, first, total in SECTIONS:
        for row in range(first, total):
            cells[f"B{row}"], cells[f"C{row}"] = next(items)
    return cells


def check_workbook(path, cells, label):
    sheet = xlrd.open_workbook(str(path)).sheet_by_index(0)
    grand = [0, 0]
    for caption, first, total in SECTIONS:
        for c, letter in enumerate("BC"):
            want = 0
            for row in range(first, total):
                got = sheet.cell_value(row - 1, c + 1)
                check(right_to_the_cent(got, cells[f"{letter}{row}"]),
                      f"{label} {letter}{row}: {got!r} != {cells[f'{letter}{row}']} cents")
                want += cells[f"{letter}{row}"]
            got = sheet.cell_value(total - 1, c + 1)
            check(right_to_the_cent(got, want), f"{label} {caption} total {letter}{total}: {got!r} != {want} cents")
            grand[c] += want
    for c, letter in enumerate("BC"):
        got = sheet.cell_value(3, c + 1)
        check(right_to_the_cent(got, grand[c]), f"{label} grand total {letter}4: {got!r} != {grand[c]} cents")
    return grand


def check_recalculated(path, work, env, cells, grand):
    out = work / (path.stem + ".csv")
    subprocess.run(["ssconvert", "--recalc", "-O", "format=raw", "-T", "Gnumeric_stf:stf_assistant",
                    str(path), str(out)], check=True, capture_output=True, env=env)
    rows = list(csv.reader(io.StringIO(out.read_text(encoding="utf-8"))))
    for caption, first, total in SECTIONS:
        for c, letter in enumerate("BC"):
            want = sum(cells[f"{letter}{row}"] for row in range(first, total))
            got = rows[total - 1][c + 1]
            check(right_to_the_cent(float(got), want), f"ssconvert {caption} {letter}{total}: {got} != {want} cents")
    for c, letter in enumerate("BC"):
        got = rows[3][c + 1]
        check(right_to_the_cent(float(got), grand[c]), f"ssconvert {letter}4: {got} != {grand[c]} cents")


def differing_pixels(a, b, env):
    run = subprocess.run(["compare", "-metric", "AE", str(a), str(b), "null:"], capture_output=True, text=True, env=env)
    try:
        return int(float(run.stderr.split()[0]))
    except (ValueError, IndexError):
        return -1


def check_sample(cli, work, env):
    out, picture = work / "sample.xls", work / "sample.png"
    run = subprocess.run([cli, "generate", "--sample", "--output", str(out), "--picture", str(picture)],
                         capture_output=True, text=True, env=env)
    check(run.returncode == 0 and run.stderr == "", f"generate --sample: {run.returncode} {run.stderr!r}")
    if run.returncode != 0:
        return
    cells = cells_of([(int(e) * 100, int(a) * 100) for _, _, e, a in amounts_rows(cli, env, "--sample")[1:]])
    grand = check_workbook(out, cells, "sample")
    check(grand == [755600, 751800], f"sample grand totals {grand}")
    check_recalculated(out, work, env, cells, grand)
    rendered = work / "rendered.png"
    subprocess.run([cli, "render", str(out), "--output", str(rendered)], check=True, env=env)
    check(differing_pixels(picture, rendered, env) == 0, "the picture is not the rendered sheet")
    # Nothing is left in the temporary folder.
    left = sorted(p.name for p in (work / "tmp").iterdir())
    check(left == [], f"left in the temporary folder: {left}")


def check_refusals(cli, work, env):
    rows = amounts_rows(cli, env)
    broken = {
        "missing row": (rows[:5] + rows[6:], 'line 72: no row for "Shoes"'),  # found missing at the end
        "repeated row": (rows + [rows[3]], f"line {len(rows) + 1}"),
        "unknown label": (rows[:2] + [["Apparel", "Tiara", "1", "2"]] + rows[3:], "line 3"),
        "invalid amount": (rows[:9] + [rows[9][:2] + ["12,34,5", "1"]] + rows[10:], "line 10"),
    }
    out = work / "refused.xls"
    out.write_bytes(b"keep")
    for name, (table, line) in broken.items():
        amounts = work / "broken.csv"
        with amounts.open("w", newline="", encoding="utf-8") as f:
            csv.writer(f, lineterminator="\n").writerows(table)
        run = subprocess.run([cli, "generate", "--amounts", str(amounts), "--output", str(out)],
                             capture_output=True, text=True, env=env)
        lines = run.stderr.strip().splitlines()
        check(run.returncode == 1 and len(lines) == 1 and line in lines[0],
              f"{name}: exit {run.returncode}, {run.stderr!r} (wanted {line})")
        check(out.read_bytes() == b"keep", f"{name}: the output was written")


def check_regional_currency(cli, work, env):
    """Under German and French settings the amounts and totals show euros, read back by xlrd
    by ssconvert and by LibreOffice, with the sample's values unchanged."""
    cells = cells_of([(int(e) * 100, int(a) * 100) for _, _, e, a in amounts_rows(cli, env, "--sample")[1:]])
    for locale in ("de_DE.UTF-8", "fr_FR.UTF-8"):
        regional = dict(env, LANG=locale, LC_ALL=locale)
        out = work / f"sample-{locale}.xls"
        run = subprocess.run([cli, "generate", "--sample", "--output", str(out)], capture_output=True, text=True,
                             env=regional)
        check(run.returncode == 0 and run.stderr == "", f"generate under {locale}: {run.returncode} {run.stderr!r}")
        if run.returncode != 0:
            continue
        check_workbook(out, cells, locale)
        book = xlrd.open_workbook(str(out), formatting_info=True)
        sheet = book.sheet_by_index(0)
        amount_rows = [4] + [row for _, first, total in SECTIONS for row in range(first, total + 1)]
        for row in amount_rows:
            for column in (1, 2):
                code = book.format_map[book.xf_list[sheet.cell_xf_index(row - 1, column)].format_key].format_str
                check("\u20ac" in code and "$" not in code, f"{locale} {'BC'[column - 1]}{row}: format {code!r}")
        shown = work / f"sample-{locale}.csv"
        subprocess.run(["ssconvert", "-O", "format=preserve", "-T", "Gnumeric_stf:stf_assistant", str(out),
                        str(shown)], check=True, capture_output=True, env=regional)
        rows = list(csv.reader(io.StringIO(shown.read_text(encoding="utf-8"))))
        for row in amount_rows:
            for column in (1, 2):
                text = rows[row - 1][column]
                check("\u20ac" in text and "$" not in text, f"ssconvert under {locale} shows {text!r} in {'BC'[column - 1]}{row}")
        # LibreOffice's text export writes each cell as its format shows it (token 9, "save as shown").
        folder = work / f"libreoffice-{locale}"
        subprocess.run(["soffice", "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false",
                        "--outdir", str(folder), str(out)], check=True, capture_output=True, env=regional, timeout=300)
        rows = list(csv.reader(io.StringIO((folder / out.with_suffix(".csv").name).read_text(encoding="utf-8"))))
        for row in amount_rows:
            for column in (1, 2):
                text = rows[row - 1][column]
                check("\u20ac" in text and "$" not in text, f"LibreOffice under {locale} shows {text!r} in {'BC'[column - 1]}{row}")


def check_own_template(cli, work, env):
    own = work / "tmp" / "template.xlt"
    subprocess.run([cli, "template", str(work / "fresh.xlt")], check=True, env=env)
    subprocess.run([cli, "set", str(work / "fresh.xlt"), str(own), "A9=Our rings"], check=True, env=env)
    out = work / "own.xls"
    subprocess.run([cli, "generate", "--sample", "--output", str(out)], check=True, env=env)
    label = xlrd.open_workbook(str(out)).sheet_by_index(0).cell_value(8, 0)
    check(label == "Our rings", f"the user's template.xlt was not used: A9 is {label!r}")
    check(not own.exists(), "template.xlt was left in the temporary folder")


def main():
    args, work, cli = start("generate")
    (work / "tmp").mkdir(mode=0o700)
    env = environment(work, TEMP=str(work / "tmp"), LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    check_sample(cli, work, env)
    check_refusals(cli, work, env)
    check_own_template(cli, work, env)
    check_regional_currency(cli, work, env)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
