#!/usr/bin/python3
"""A saved budget taken back: `quillora-cli generate --amounts A.csv`, then `amounts --from`
the workbook, gives A's amounts again to the cent.

Random budgets (fixed seed; negative amounts, more decimals than cents, amounts near the
1e13 limit) under en_US, de_DE and fr_FR; the same workbooks re-saved by `ssconvert` and by
LibreOffice read back the same; a saved budget serves as `generate --amounts` input. A corpus
workbook, a truncated workbook and a budget with text in an amount cell are refused in one
line that names the file and the reason, with nothing on stdout.
"""
import csv
import io
import pathlib
import random
import subprocess
import sys
from decimal import Decimal

from budget_sweep import LOCALES, amounts_csv, budget
from interop_support import check, environment, start, finish

SEED = 20261209
BUDGETS = 9


def run(cli, env, locale, *args):
    return subprocess.run([str(cli), *args], env=dict(env, LANG=locale, LC_ALL=locale), capture_output=True,
                          text=True, timeout=120)


def read_back(cli, env, locale, path):
    """(category, item) -> (estimated, actual) as Decimal, from `amounts --from`; None on failure."""
    done = run(cli, env, locale, "amounts", "--from", str(path))
    check(done.returncode == 0 and not done.stderr, "amounts --from %s (%s): %s" % (path.name, locale, done.stderr.strip()))
    if done.returncode != 0:
        return None
    decimal = LOCALES[locale][0]
    rows = list(csv.reader(io.StringIO(done.stdout)))
    check(rows[0] == ["category", "item", "estimated", "actual"] and len(rows) == 72,
          "amounts --from %s printed %d rows" % (path.name, len(rows)))
    return {(r[0], r[1]): tuple(Decimal(a.replace(decimal, ".")) for a in r[2:]) for r in rows[1:]}


def check_same_amounts(name, rows, got):
    for caption, label, _, estimated, actual in rows:
        pair = got.get((caption, label)) if got else None
        check(pair == (estimated[2], actual[2]),
              "%s: %s / %r reads back as %r, typed %r and %r, kept as %s and %s" %
              (name, caption, label, pair, estimated[0], actual[0], estimated[2], actual[2]))


def resave(path, work, env):
    """The workbook re-saved by ssconvert and by LibreOffice."""
    gnumeric = work / (path.stem + "-gnumeric.xls")
    subprocess.run(["ssconvert", "-T", "Gnumeric_Excel:excel_biff8", str(path), str(gnumeric)], check=True,
                   capture_output=True, env=env, timeout=120)
    folder = work / "libreoffice"
    folder.mkdir(exist_ok=True)
    subprocess.run(["soffice", "--headless", "--convert-to", "xls:MS Excel 97", "--outdir", str(folder), str(path)],
                   check=True, capture_output=True, env=env, timeout=300)
    return [("ssconvert", gnumeric), ("LibreOffice", folder / path.name)]


def check_refused(cli, env, path, reason):
    done = run(cli, env, "en_US.UTF-8", "amounts", "--from", str(path))
    lines = done.stderr.splitlines()
    check(done.returncode == 1 and not done.stdout and len(lines) == 1 and str(path) in lines[0] and reason in lines[0],
          "amounts --from %s: exit %d, stdout %d bytes, stderr %r" % (path.name, done.returncode, len(done.stdout),
                                                                     done.stderr))


def main():
    args, work, cli = start("amounts-from")
    env = environment(work)
    rng = random.Random(SEED)
    locales = sorted(LOCALES)
    for number in range(BUDGETS):
        locale = locales[number % len(locales)]
        rows = budget(rng, locale, near_limit=number % 3 == 2)
        name = "budget %d (%s)" % (number, locale.split(".")[0])
        amounts = work / ("budget-%d.csv" % number)
        amounts.write_bytes(amounts_csv(rng, rows))
        out = work / ("budget-%d.xls" % number)
        done = run(cli, env, locale, "generate", "--amounts", str(amounts), "--output", str(out))
        check(done.returncode == 0, "%s: generate failed: %s" % (name, done.stderr.strip()))
        if done.returncode != 0:
            continue
        check_same_amounts(name, rows, read_back(cli, env, locale, out))
        if number < 3:
            for program, resaved in resave(out, work, env):
                check_same_amounts("%s re-saved by %s" % (name, program), rows, read_back(cli, env, locale, resaved))
            again = work / ("budget-%d-again.xls" % number)
            done = run(cli, env, locale, "generate", "--amounts", str(out), "--output", str(again))
            check(done.returncode == 0, "%s: generate --amounts on the workbook failed: %s" % (name, done.stderr.strip()))
            check_same_amounts("%s generated from its workbook" % name, rows, read_back(cli, env, locale, again))

    check_refused(cli, env, pathlib.Path(args.shared) / "corpus" / "xls" / "xlrd-profiles.xls",
                  "is not a Quillora budget: A9 holds")
    whole = (work / "budget-0.xls").read_bytes()
    (work / "truncated.xls").write_bytes(whole[:len(whole) // 2])
    check_refused(cli, env, work / "truncated.xls", "cannot be read:")
    done = run(cli, env, "en_US.UTF-8", "set", str(work / "budget-0.xls"), str(work / "text.xls"), "C37=about 40")
    check(done.returncode == 0, "set failed: %s" % done.stderr)
    check_refused(cli, env, work / "text.xls", 'C37 holds "about 40", which is not an amount')
    return finish(40)


if __name__ == "__main__":
    sys.exit(main())
