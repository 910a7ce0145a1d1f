#!/usr/bin/python3
"""The benchmark workbooks of quillora-bench-make (built beside quillora-cli) read back.

A budget-like sheet of 10^3 cells: `dump` and xlrd see 1000 cells in 100 rows of 10, labels,
amounts in the currency format, and each block's totals equal to the sum of its amounts, with
a filled, bold format; the merged kind holds 500 two-cell merges. A chain of 300 formulas
recalculated by `set` from A1=2 ends at 301 (dump and xlrd agree). A wrong kind or size is one
line on stderr, exit 1, and no file.
"""
import subprocess

import xlrd

from interop_support import check, environment, finish, start


def run(command, env):
    return subprocess.run([str(c) for c in command], env=env, capture_output=True, text=True, timeout=120)


def dump_cells(cli, path, env):
    """Cell lines of `dump`, by address: (type, value text, the rest)."""
    result = run([cli, "dump", path], env)
    check(result.returncode == 0, "dump %s failed: %s" % (path.name, result.stderr))
    return {fields[0]: fields[1:] for fields in (line.split("\t") for line in result.stdout.splitlines())
            if len(fields) > 2}


def check_budget(cli, maker, work, env):
    path = work / "budget.xls"
    made = run([maker, "budget", 1000, path], env)
    check(made.returncode == 0, "the maker failed: " + made.stderr)
    cells = dump_cells(cli, path, env)
    check(len(cells) == 1000, "dump lists %d cells, expected 1000" % len(cells))
    check(cells.get("A1", [""])[:2] == ["text", '"Item 1"'], "A1 is %r" % cells.get("A1"))
    check(cells.get("A100", [""])[:2] == ["text", '"Total 10"'], "A100 is %r" % cells.get("A100"))
    check(cells.get("J100", [""])[0] == "formula:number", "J100 is no formula: %r" % cells.get("J100"))

    book = xlrd.open_workbook(str(path), formatting_info=True)
    sheet = book.sheet_by_index(0)
    check((sheet.nrows, sheet.ncols) == (100, 10), "xlrd sees %d x %d cells" % (sheet.nrows, sheet.ncols))
    filled = sum(sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY for r in range(sheet.nrows) for c in range(sheet.ncols))
    check(filled == 1000, "xlrd sees %d filled cells, expected 1000" % filled)
    for total in range(9, sheet.nrows, 10):
        xf = book.xf_list[sheet.cell_xf_index(total, 1)]
        code = book.format_map[xf.format_key].format_str
        check("#,##0.00" in code and xf.background.fill_pattern == 1 and book.font_list[xf.font_index].bold,
              "row %d: totals are not bold, filled currency (%r)" % (total + 1, code))
        for column in range(1, 10):
            amounts = sum(sheet.cell_value(r, column) for r in range(total - 9, total))
            cached = sheet.cell_value(total, column)
            check(round(cached * 100) == round(amounts * 100),
                  "%s%d caches %r, its block sums to %r" % ("ABCDEFGHIJ"[column], total + 1, cached, amounts))

    merged = work / "merged.xls"
    run([maker, "merged", 1000, merged], env)
    merges = xlrd.open_workbook(str(merged), formatting_info=True).sheet_by_index(0).merged_cells
    check(len(merges) == 500 and all(r2 - r1 == 1 and c2 - c1 == 2 for r1, r2, c1, c2 in merges),
          "expected 500 two-cell merges, got %d" % len(merges))


def check_chain(cli, maker, work, env):
    path, out = work / "chain.xls", work / "chain-set.xls"
    run([maker, "chain", 300, path], env)
    result = run([cli, "set", path, out, "A1=2"], env)
    check(result.returncode == 0, "set on the chain failed: " + result.stderr)
    if result.returncode != 0:
        return
    check(dump_cells(cli, out, env).get("A300", [""])[:2] == ["formula:number", "301"],
          "dump: the chain does not end at 301")
    last = xlrd.open_workbook(str(out)).sheet_by_index(0).cell_value(299, 0)
    check(last == 301, "xlrd: the chain ends at %r, expected 301" % last)


def check_refusals(maker, work, env):
    for arguments in (["tables", "10"], ["budget", "12x"], ["budget", "0"], ["chain", "-5"]):
        out = work / "refused.xls"
        result = run([maker, *arguments, out], env)
        check(result.returncode == 1 and not out.exists() and len(result.stderr.strip().splitlines()) == 1,
              "%s: expected one line and exit 1 without a file, got %d %r" % (arguments, result.returncode, result.stderr))


def main():
    _, work, cli = start("bench_inputs")
    maker = cli.parent.parent / "bench" / "quillora-bench-make"
    env = environment(work, QT_QPA_PLATFORM="offscreen", LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    check_budget(cli, maker, work, env)
    check_chain(cli, maker, work, env)
    check_refusals(maker, work, env)
    return finish()


if __name__ == "__main__":
    raise SystemExit(main())
