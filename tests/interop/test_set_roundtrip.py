#!/usr/bin/python3
"""`quillora-cli set` on a workbook another program wrote.

A small budget sheet (currency formats, a merged title, SUM totals) is written as Gnumeric
XML and converted to .xls by ssconvert. `set` fills cells as typed input under en_US and
de_DE; then `dump` before and after differs only in the set cells and the totals that
depend on them, xlrd reads the new values and totals to the cent and keeps the merge, and
ssconvert's own recalculation agrees with the cached totals.
"""
import argparse
import csv
import os
import pathlib
import subprocess
import sys
import tempfile

import xlrd

from interop_support import check, finish

CURRENCY = '&quot;$&quot;#,##0.00_);[Red]\\(&quot;$&quot;#,##0.00\\)'
SOURCE = """<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
  <gnm:SheetNameIndex><gnm:SheetName>Budget</gnm:SheetName></gnm:SheetNameIndex>
  <gnm:Sheets>
    <gnm:Sheet>
      <gnm:Name>Budget</gnm:Name>
      <gnm:MaxCol>2</gnm:MaxCol><gnm:MaxRow>7</gnm:MaxRow>
      <gnm:Styles>
        <gnm:StyleRegion startCol="1" startRow="2" endCol="2" endRow="7">
          <gnm:Style HAlign="1" VAlign="2" Fore="0:0:0" Back="FFFF:FFFF:FFFF" PatternColor="0:0:0" Shade="0" Format="%s"/>
        </gnm:StyleRegion>
      </gnm:Styles>
      <gnm:Cells>
        <gnm:Cell Row="0" Col="0" ValueType="60">Wedding budget</gnm:Cell>
        <gnm:Cell Row="2" Col="1" ValueType="40">100</gnm:Cell>
        <gnm:Cell Row="3" Col="1" ValueType="40">250.5</gnm:Cell>
        <gnm:Cell Row="2" Col="2" ValueType="40">80</gnm:Cell>
        <gnm:Cell Row="6" Col="1">=SUM(B3:B6)</gnm:Cell>
        <gnm:Cell Row="6" Col="2">=SUM(C3:C6)</gnm:Cell>
        <gnm:Cell Row="7" Col="1">=B7+C7</gnm:Cell>
      </gnm:Cells>
      <gnm:MergedRegions><gnm:Merge>A1:C1</gnm:Merge></gnm:MergedRegions>
    </gnm:Sheet>
  </gnm:Sheets>
</gnm:Workbook>
""" % CURRENCY

# (locale, assignments, expected numbers by cell after the set, in cents)
CASES = [
    ("en_US.UTF-8", ["B5=$1,000.25", "C3=($2.50)", "C6=0.10"],
     {"B3": 10000, "B4": 25050, "B5": 100025, "C3": -250, "C6": 10, "B7": 135075, "C7": -240, "B8": 134835}),
    ("de_DE.UTF-8", ["B5=1.234,50", "C4=-0,05"],
     {"B5": 123450, "C4": -5, "C3": 8000, "B7": 158500, "C7": 7995, "B8": 166495}),
]
DEPENDENT = {"B7", "C7", "B8"}


def run(command, env, **kwargs):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=120, **kwargs)


def dump(cli, path, env):
    result = run([cli, "dump", str(path)], env)
    if result.returncode != 0:
        sys.exit("dump %s failed: %s" % (path, result.stderr))
    return {line.split("\t")[0]: line for line in result.stdout.splitlines() if "\t" in line}


def cell_name(row, column):
    return "ABC"[column] + str(row + 1)


def cents(value):
    return round(value * 100)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--shared")
    parser.add_argument("--work", default=None)
    args = parser.parse_args()
    work = pathlib.Path(args.work or tempfile.mkdtemp())
    work.mkdir(parents=True, exist_ok=True)
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    base_env = dict(os.environ, HOME=str(work), XDG_RUNTIME_DIR=str(runtime))

    gnumeric = work / "budget.gnumeric"
    gnumeric.write_text(SOURCE, encoding="utf-8")
    source = work / "budget.xls"
    converted = run(["ssconvert", str(gnumeric), str(source)], base_env)
    if converted.returncode != 0 or not source.exists():
        sys.exit("ssconvert could not write the source workbook: " + converted.stderr)
    before = dump(args.cli, source, base_env)

    for locale, assignments, expected in CASES:
        env = dict(base_env, LANG=locale, LC_ALL=locale)
        out = work / ("filled-%s.xls" % locale.split(".")[0])
        result = run([args.cli, "set", str(source), str(out)] + assignments, env)
        check(result.returncode == 0, "%s: set failed: %s" % (locale, result.stderr))
        if result.returncode != 0:
            continue
        after = dump(args.cli, out, env)
        set_cells = {a.split("=")[0] for a in assignments}
        changed = {name for name in set(before) | set(after) if before.get(name) != after.get(name)}
        check(changed <= set_cells | DEPENDENT, "%s: unexpected changes in %s" % (locale, sorted(changed - set_cells - DEPENDENT)))
        check(set_cells <= changed, "%s: set cells unchanged: %s" % (locale, sorted(set_cells - changed)))

        book = xlrd.open_workbook(str(out), formatting_info=True)
        sheet = book.sheet_by_index(0)
        check((0, 1, 0, 3) in sheet.merged_cells, "%s: the merged title was lost: %s" % (locale, sheet.merged_cells))
        for row in range(sheet.nrows):
            for column in range(sheet.ncols):
                name = cell_name(row, column)
                if name in expected:
                    value = sheet.cell_value(row, column)
                    check(cents(value) == expected[name], "%s: xlrd reads %s as %r, expected %s cents" % (locale, name, value, expected[name]))
                    code = book.format_map[book.xf_list[sheet.cell_xf_index(row, column)].format_key].format_str
                    check("#,##0.00" in code, "%s: %s lost its currency format (%r)" % (locale, name, code))

        recalculated = work / ("recalc-%s.csv" % locale.split(".")[0])
        result = run(["ssconvert", "--recalc", str(out), str(recalculated)], base_env)
        check(result.returncode == 0, "%s: ssconvert --recalc failed: %s" % (locale, result.stderr))
        if result.returncode == 0:
            rows = list(csv.reader(recalculated.open(encoding="utf-8")))
            for name in DEPENDENT:
                text = rows[int(name[1:]) - 1]["ABC".index(name[0])]
                negative = text.startswith("(") or text.startswith("-")
                number = float(text.strip("()-$").replace(",", "")) * (-1 if negative else 1)
                check(cents(number) == expected[name], "%s: ssconvert recalculates %s as %r, expected %s cents" % (locale, name, text, expected[name]))

    # A failing set writes nothing.
    refused = work / "refused.xls"
    result = run([args.cli, "set", str(source), str(refused), "Z0=1"], base_env)
    check(result.returncode == 1 and not refused.exists(), "a bad cell address wrote a file or did not fail")
    check(len(result.stderr.strip().splitlines()) == 1 + result.stderr.count("QStandardPaths"),
          "the failure is not one line: %r" % result.stderr)

    return finish()


if __name__ == "__main__":
    sys.exit(main())
