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


def finish(most=None):
    """Prints the failures (at most `most` of them) and their count; the exit code."""
    for failure in failures[:most]:
        print("FAIL:", failure)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


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
    """Runs one test of the record tests' program test_spreadsheet_biff that writes its
    workbook to `path` (named by the environment variable `variable`); exits when it does not."""
    program = cli.parent.parent / "tests" / "spreadsheet" / "test_spreadsheet_biff"
    run = subprocess.run([str(program), "--gtest_filter=" + test],
                         env=dict(env, **{variable: str(path)}, QT_QPA_PLATFORM="offscreen"),
                         capture_output=True, text=True)
    if run.returncode != 0 or not path.exists():
        print(run.stdout, run.stderr)
        sys.exit("the test program did not write " + path.name)
    return path

