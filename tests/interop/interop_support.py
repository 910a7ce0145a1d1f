"""Helpers shared by the interop checks: failure collection, a private environment for the
programs under test, and the test workbooks that the test programs write."""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def environment(work, **extra):
    """The process environment with a private runtime folder and home under `work`."""
    env = dict(os.environ)
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    env["XDG_RUNTIME_DIR"] = str(runtime)
    env["HOME"] = str(work)
    env.update(extra)
    return env


def start(name):
    """Parses the common arguments and gives (arguments, fresh work folder, cli path)."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--shared", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    work = pathlib.Path(args.work) / name
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    return args, work, pathlib.Path(args.cli)


def written_by_test(cli, env, variable, test, path):
    """Runs one test of test_spreadsheet that writes its workbook to `path` (named by the
    environment variable `variable`); exits when it does not."""
    program = cli.parent.parent / "tests" / "test_spreadsheet"
    run = subprocess.run([str(program), "--gtest_filter=" + test],
                         env=dict(env, **{variable: str(path)}, QT_QPA_PLATFORM="offscreen"),
                         capture_output=True, text=True)
    if run.returncode != 0 or not path.exists():
        print(run.stdout, run.stderr)
        sys.exit("the test program did not write " + path.name)
    return path


# Number conventions of the locales the checks type amounts under: decimal separator, group
# separator, currency symbol and whether it comes first.
NNBSP, NBSP = "\u202f", "\u00a0"
CONVENTIONS = {
    "en_US": (".", ",", "$", True),
    "de_DE": (",", ".", NBSP + "€", False),
    "fr_FR": (",", NNBSP, NBSP + "€", False),
}
LIMIT_CENTS = 10 ** 15  # amounts stay below 1e13


def random_cents(rng):
    """An amount in cents: zero, small, fractional, negative or close to the limit."""
    kind = rng.random()
    if kind < 0.1:
        magnitude = 0
    elif kind < 0.5:
        magnitude = rng.randrange(1, 100_000)
    elif kind < 0.8:
        magnitude = rng.randrange(1, 100_000_000)
    elif kind < 0.95:
        magnitude = rng.randrange(1, 10 ** rng.randrange(9, 14))
    else:
        magnitude = LIMIT_CENTS - rng.randrange(1, 10 ** 9)
    return -magnitude if rng.random() < 0.2 else magnitude


def typed_amount(rng, cents, locale):
    """`cents` as a person might type it under `locale`, in one of the accepted forms."""
    decimal, group, symbol, prefix = CONVENTIONS[locale]
    whole, fraction = divmod(abs(cents), 100)
    digits = str(whole)
    form = rng.choice(["plain", "grouped", "currency", "exponent"])
    if form == "exponent":
        mantissa = str(abs(cents))
        text = (mantissa[0] + decimal + mantissa[1:] if len(mantissa) > 1 else mantissa) + f"e{len(mantissa) - 3}"
    else:
        if form != "plain":
            digits = f"{whole:,}".replace(",", group)
        if fraction or form != "plain":
            text = digits + decimal + f"{fraction:02d}"
            if form == "plain" and fraction % 10 == 0:
                text = text[:-1]
        else:
            text = digits
        if form == "currency":
            text = symbol + text if prefix else text + symbol
    if cents < 0:
        sign = rng.choice(["before", "after", "parentheses"])
        text = "-" + text if sign == "before" else text + "-" if sign == "after" else "(" + text + ")"
    if rng.random() < 0.1:
        text = " " + text + " "
    return text


def random_budget(rng, rows, locale):
    """Amounts rows (header first) filled with random amounts typed under `locale`, and the
    cents of every amount in row order: [(estimated, actual), ...]."""
    typed, cents = [rows[0]], []
    for category, item, _, _ in rows[1:]:
        pair = (random_cents(rng), random_cents(rng))
        cents.append(pair)
        typed.append([category, item, typed_amount(rng, pair[0], locale), typed_amount(rng, pair[1], locale)])
    return typed, cents


def right_to_the_cent(value, cents):
    """True when the number `value` rounds to exactly `cents` hundredths."""
    from decimal import Decimal
    return abs(Decimal(value) * 100 - cents) < Decimal("0.5")
