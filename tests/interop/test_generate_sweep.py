#!/usr/bin/python3
"""Fifty random budgets through `quillora-cli generate --amounts`, read back by independent readers.

The budgets come from a fixed seed (printed first; pass --seed=N to run others) and are
spread over en_US, de_DE and fr_FR, with every typed form the amount parser accepts (see
budget_sweep.py); every tenth run also asks for the picture, and under each locale a text
only another locale accepts makes generate fail in one line and write nothing. Each generated workbook is
read by xlrd (all 142 input cells, every category total and both grand totals as cached in
the file) and recalculated by `ssconvert --recalc` (every total). An input cell holds the
typed amount as the entry window keeps it, to the cent; a total equals the exact sum of
those to the cent, widened only by what a double loses adding amounts near the 1e13 limit
(every fifth budget holds some; their sums have no cents to spare).
"""
import csv
import io
import math
import pathlib
import random
import subprocess
import sys
import time

import xlrd

from budget_sweep import LOCALES, amounts_csv, budget, expected_totals
from interop_support import check, environment, start, finish

DEFAULT_SEED = 20261208
BUDGETS = 50
HALF_CENT = 0.005


def tolerance(terms, magnitude):
    """Half a cent, plus what `terms` doubles whose magnitudes add up to `magnitude` may lose
    when they are stored and added."""
    return HALF_CENT + terms * math.ulp(float(magnitude))


def generate(cli, rows, rng, locale, out, picture, work, env):
    """Writes the budget as an amounts file and runs generate on it; returns stderr or None."""
    amounts = work / (out.stem + ".csv")
    amounts.write_bytes(amounts_csv(rng, rows))
    command = [str(cli), "generate", "--amounts", str(amounts), "--output", str(out)]
    if picture:
        command += ["--picture", str(picture)]
    run = subprocess.run(command, env=dict(env, LANG=locale, LC_ALL=locale), capture_output=True, text=True,
                         timeout=120)
    if run.returncode != 0 or not out.exists() or run.stderr:
        return run.stderr.strip() or "exit %d" % run.returncode
    if picture and picture.read_bytes()[:8] != b"\x89PNG\r\n\x1a\n":
        return "the picture is not a PNG file"
    return None


def check_with_xlrd(name, path, rows, totals):
    sheet = xlrd.open_workbook(str(path)).sheet_by_index(0)

    def value(row, column):
        if row - 1 >= sheet.nrows or column >= sheet.row_len(row - 1):
            return None
        return sheet.cell_value(row - 1, column)

    for caption, label, row, estimated, actual in rows:
        for column, (text, exact, kept) in ((1, estimated), (2, actual)):
            got = value(row, column)
            check(isinstance(got, float) and abs(got - float(kept)) <= tolerance(1, abs(kept)),
                  "%s: xlrd reads %s%d (%s, %r) as %r, typed %r = %s, kept as %s" %
                  (name, "ABC"[column], row, caption, label, got, text, exact, kept))
    for (row, column), (exact, terms, magnitude) in totals.items():
        got = value(row, column)
        check(isinstance(got, float) and abs(got - float(exact)) <= tolerance(terms, magnitude),
              "%s: xlrd reads the cached total %s%d as %r, expected %s" % (name, "ABC"[column], row, got, exact))


def check_with_ssconvert(name, path, totals, work, env):
    out = work / (path.stem + "-recalc.csv")
    run = subprocess.run(["ssconvert", "--recalc", "-O", "format=raw", "-T", "Gnumeric_stf:stf_assistant",
                          str(path), str(out)], capture_output=True, text=True, env=env, timeout=120)
    check(run.returncode == 0 and out.exists(), "%s: ssconvert failed: %s" % (name, run.stderr.strip()))
    if run.returncode != 0 or not out.exists():
        return
    rows = list(csv.reader(io.StringIO(out.read_text(encoding="utf-8"))))
    for (row, column), (exact, terms, magnitude) in totals.items():
        try:
            got = float(rows[row - 1][column])
        except (IndexError, ValueError):
            got = None
        check(got is not None and abs(got - float(exact)) <= tolerance(terms, magnitude),
              "%s: ssconvert recalculates %s%d as %r, expected %s" % (name, "ABC"[column], row, got, exact))


# Per locale, a text another locale accepts but this one must refuse.
FOREIGN = {"en_US.UTF-8": "1.234,50", "de_DE.UTF-8": "$1,500.00", "fr_FR.UTF-8": "1,500.00"}


def check_refusals(cli, rng, work, env):
    """An amount the locale refuses makes generate fail in one line naming it, writing nothing."""
    for locale, text in sorted(FOREIGN.items()):
        rows = budget(rng, locale)
        position = rng.randrange(len(rows))
        caption, label, row, estimated, actual = rows[position]
        rows[position] = (caption, label, row, (text, None, None), actual)
        out = work / ("refused-%s.xls" % locale.split(".")[0])
        problem = generate(cli, rows, rng, locale, out, None, work, env)
        lines = (problem or "").splitlines()
        check(problem is not None and not out.exists() and len(lines) == 1 and "invalid estimated amount" in lines[0]
              and text in lines[0], "%s: %r was not refused in one line: %r" % (locale, text, problem))


def main():
    extra = [a for a in sys.argv[1:] if a.startswith("--seed=")]
    sys.argv = [a for a in sys.argv if not a.startswith("--seed=")]
    seed = int(extra[-1].split("=", 1)[1]) if extra else DEFAULT_SEED
    args, work, cli = start("generate-sweep")
    env = environment(work)
    print("seed %d (repeat with --seed=%d)" % (seed, seed))
    rng = random.Random(seed)
    locales = sorted(LOCALES)

    began = time.monotonic()
    spent = {"generate": 0.0, "xlrd": 0.0, "ssconvert": 0.0}
    for number in range(BUDGETS):
        locale = locales[number % len(locales)]
        # Every fifth budget holds amounts near 1e13, whose totals no double holds to the cent.
        rows = budget(rng, locale, near_limit=number % 5 == 4)
        totals = expected_totals(rows)
        name = "budget %02d (%s)" % (number, locale.split(".")[0])
        out = work / ("budget-%02d.xls" % number)

        clock = time.monotonic()
        picture = work / ("budget-%02d.png" % number) if number % 10 == 0 else None
        problem = generate(cli, rows, rng, locale, out, picture, work, env)
        spent["generate"] += time.monotonic() - clock
        check(problem is None, "%s: generate failed: %s" % (name, problem))
        if problem is not None:
            continue
        clock = time.monotonic()
        check_with_xlrd(name, out, rows, totals)
        spent["xlrd"] += time.monotonic() - clock
        clock = time.monotonic()
        check_with_ssconvert(name, out, totals, work, env)
        spent["ssconvert"] += time.monotonic() - clock

    check_refusals(cli, rng, work, env)
    print("%d budgets in %.1f s (%s)" % (BUDGETS, time.monotonic() - began,
                                         ", ".join("%s %.1f s" % item for item in spent.items())))
    return finish(40)


if __name__ == "__main__":
    sys.exit(main())
