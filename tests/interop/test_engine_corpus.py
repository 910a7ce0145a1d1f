#!/usr/bin/python3
"""Every real-world .xls file through `quillora-cli dump`, plus foreign files.

Each file opens (exit 0) or is refused with exactly one line on stderr (exit 1); never a
crash, never longer than 10 s, never a peak memory above 64 MiB + 20 x the file's size
(not enforced for a sanitizer build, whose shadow memory is no measure of the engine).
Random bytes, a truncated workbook and a renamed .xlsx are refused.
"""
import argparse
import os
import pathlib
import random
import tempfile
import shutil
import subprocess
import sys
import time
import zipfile

failures = []


def run_dump(cli, path, env, sanitized):
    """Runs dump on one file; returns (exit code, stderr lines, peak RSS in bytes, seconds).

    GNU time measures the peak: a child forked straight from this interpreter would
    count the interpreter's own pages in its peak."""
    start = time.monotonic()
    with tempfile.NamedTemporaryFile() as peak_file:
        try:
            run = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_file.name, cli, "dump", str(path)],
                                 env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                 timeout=10)
        except subprocess.TimeoutExpired:
            return None, ["timed out"], 0, time.monotonic() - start
        peak_lines = pathlib.Path(peak_file.name).read_text().split()
    peak = int(peak_lines[-1]) * 1024 if peak_lines and peak_lines[-1].isdigit() else 0
    lines = run.stderr.decode("utf-8", "replace").splitlines()
    return run.returncode, lines, peak, time.monotonic() - start


def check_file(cli, path, env, sanitized, must_refuse=False):
    code, lines, peak, seconds = run_dump(cli, path, env, sanitized)
    name = path.name
    limit = 64 * 1024 * 1024 + 20 * path.stat().st_size
    if code is None:
        failures.append("%s: hung" % name)
        return "hung"
    if code == 0:
        if must_refuse:
            failures.append("%s: accepted but must be refused" % name)
        if lines:
            failures.append("%s: opened but wrote to stderr: %r" % (name, lines))
    elif code == 1:
        if len(lines) != 1 or not lines[0].startswith("quillora-cli dump: "):
            failures.append("%s: refusal is not one line: %r" % (name, lines))
    else:
        failures.append("%s: exit code %d (crash?) %r" % (name, code, lines[-5:]))
    if not sanitized and peak > limit:
        failures.append("%s: peak memory %d KiB over the limit %d KiB" % (name, peak // 1024, limit // 1024))
    status = "opens" if code == 0 else "refused: " + (lines[0] if lines else "?")
    print("%-55s %7d KiB %5.2f s  %s" % (name, peak // 1024, seconds, status))
    return "open" if code == 0 else "refused"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--shared", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    work = pathlib.Path(args.work) / "engine-corpus"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime), HOME=str(work))
    sanitized = b"__asan_init" in pathlib.Path(args.cli).read_bytes()

    counts = {"open": 0, "refused": 0, "hung": 0}
    corpus = sorted(pathlib.Path(args.shared, "corpus", "xls").glob("*.xls"))
    if not corpus:
        sys.exit("no corpus files found")
    for path in corpus:
        counts[check_file(args.cli, path, env, sanitized)] += 1

    # Foreign and damaged files: random bytes, a zip renamed .xls, a truncated workbook.
    noise = work / "random.xls"
    noise.write_bytes(bytes(random.Random(5).getrandbits(8) for _ in range(20000)))
    check_file(args.cli, noise, env, sanitized, must_refuse=True)
    renamed = work / "renamed.xls"
    with zipfile.ZipFile(renamed, "w") as archive:
        archive.writestr("[Content_Types].xml", "<Types/>")
        archive.writestr("xl/workbook.xml", "<workbook/>")
    check_file(args.cli, renamed, env, sanitized, must_refuse=True)
    opened = [p for p in corpus if subprocess.run([args.cli, "dump", str(p)], env=env, capture_output=True).returncode == 0]
    source = max(opened, key=lambda p: p.stat().st_size)
    data = source.read_bytes()
    truncated = work / "truncated.xls"
    truncated.write_bytes(data[: len(data) // 2 + 77])
    check_file(args.cli, truncated, env, sanitized, must_refuse=True)

    print("corpus: %d open, %d refused, %d hung" % (counts["open"], counts["refused"], counts["hung"]))
    if failures:
        print("\n".join(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
