#!/usr/bin/python3
"""How `quillora-cli` treats the files it reads and writes.

Inputs: a device, a FIFO or a folder is refused at once with one line naming it. Outputs: a
device, FIFO or folder is refused and left alone, a link is followed to its regular file and
stays a link, a replaced file keeps its permission bits, a new one gets the default mode.
`generate` checks both outputs before the run and replaces them only when both are complete.
Runs: every file of a run is its owner's alone, in a folder of the run's own, so many runs
at once all succeed; SIGTERM or SIGINT in the middle of a run leaves nothing behind.
Messages: a failed save names the file; an amounts error repeats at most a short piece of
the field, with a NUL shown escaped.
"""
import os
import select
import signal
import stat
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

import xlrd

from interop_support import check, environment, start, finish

TIMEOUT = 60  # seconds a refusal may take at most; a read of /dev/zero would take forever


def run(cli, env, *args, umask=None):
    preexec = (lambda: os.umask(umask)) if umask is not None else None
    return subprocess.run([str(cli), *map(str, args)], capture_output=True, text=True, env=env,
                          timeout=TIMEOUT, preexec_fn=preexec)


def one_line_naming(result, name):
    lines = result.stderr.strip().splitlines()
    return result.returncode == 1 and len(lines) == 1 and str(name) in lines[0]


def mode(path):
    return stat.S_IMODE(os.lstat(path).st_mode)


def check_inputs(cli, work, env, book):
    fifo = work / "input.fifo"
    os.mkfifo(fifo)
    for name in ["/dev/zero", fifo, work]:
        for args in (["dump", name], ["set", name, work / "never.xls", "B9=1"],
                     ["render", name, "--output", work / "never.png"],
                     ["generate", "--amounts", name, "--output", work / "never.xls"]):
            try:
                result = run(cli, env, *args)
            except subprocess.TimeoutExpired:
                check(False, f"{args[0]} {name}: still reading after {TIMEOUT} s")
                continue
            check(one_line_naming(result, name), f"{args[0]} {name}: {result.returncode} {result.stderr!r}")
    check(not any(work.glob("never.*")), "an output was written for a refused input")
    check(run(cli, env, "dump", book).returncode == 0, "dump of a workbook failed")


def check_outputs(cli, work, env, book):
    fifo, folder = work / "out.fifo", work / "out-folder"
    os.mkfifo(fifo)
    folder.mkdir()
    os.symlink(work / "nowhere.xls", work / "dangling.xls")
    writers = {
        "set": lambda out: ["set", book, out, "B9=12"],
        "render": lambda out: ["render", book, "--output", out],
        "generate": lambda out: ["generate", "--output", out],
        "generate --picture": lambda out: ["generate", "--output", work / "never.xls", "--picture", out],
    }
    for label, args in writers.items():
        for target in [fifo, folder, work / "dangling.xls"]:
            result = run(cli, env, *args(target))
            check(one_line_naming(result, target), f"{label} to {target.name}: {result.returncode} {result.stderr!r}")
        check(stat.S_ISFIFO(os.lstat(fifo).st_mode) and folder.is_dir() and (work / "dangling.xls").is_symlink()
              and not (work / "nowhere.xls").exists(), f"{label}: a refused output was changed")
        check(not (work / "never.xls").exists(), f"{label}: the workbook was written beside a refused picture")

    # A link is followed to the regular file it leads to; the link stays a link.
    real, link = work / "real.xls", work / "link.xls"
    real.write_bytes(b"old")
    os.symlink(real.name, link)
    result = run(cli, env, "set", book, link, "B9=12")
    check(result.returncode == 0 and link.is_symlink() and real.read_bytes()[:4] == b"\xd0\xcf\x11\xe0",
          f"set through a link: {result.returncode} {result.stderr!r}")

    # A replaced file keeps its permission bits; a new file gets 0666 less the umask.
    real.chmod(0o640)
    for args in (["set", book, real, "B9=13"], ["generate", "--output", real]):
        result = run(cli, env, *args, umask=0o022)
        check(result.returncode == 0 and mode(real) == 0o640, f"{args[0]} over a 0640 file: {oct(mode(real))}")
    for i, args in enumerate((["set", book, work / "new0.xls", "B9=1"], ["render", book, "--output", work / "new1.png"],
                              ["generate", "--output", work / "new2.xls", "--picture", work / "new3.png"])):
        result = run(cli, env, *args, umask=0o027)
        names = [work / f"new{i}.xls", work / f"new{i}.png", work / "new3.png"]
        made = [n for n in names if n.exists()]
        check(result.returncode == 0 and made and all(mode(n) == 0o640 for n in made),
              f"{args[0]} new file modes: {[(n.name, oct(mode(n))) for n in made]}")

    # Both outputs are checked first: a picture that cannot be written leaves the workbook alone.
    out = work / "keep.xls"
    out.write_bytes(b"keep")
    result = run(cli, env, "generate", "--sample", "--output", out, "--picture", "/nonexistent/p.png")
    check(one_line_naming(result, "/nonexistent/p.png") and out.read_bytes() == b"keep",
          f"generate with a bad picture path: {result.returncode} {result.stderr!r}, {out.read_bytes()[:8]!r}")
    check(sorted(p.name for p in work.glob("keep.xls*")) == ["keep.xls"], "a temporary file was left beside keep.xls")


def check_messages(cli, work, env, book):
    # A folder that cannot be written to (a file stands where the folder should be, which
    # stops root as well): the message names the file being saved.
    for args in (["set", book, book / "out.xls", "B9=1"], ["render", book, "--output", book / "out.png"],
                 ["generate", "--output", book / "out.xls"]):
        result = run(cli, env, *args)
        check(one_line_naming(result, book / "out."), f"{args[0]} into no folder: {result.stderr!r}")

    rows = run(cli, env, "amounts").stdout.splitlines()
    for field, shown in (("9" * 10_000_000, '"' + "9" * 60 + '..."'), ("12\x0034", '"12\\x0034"')):
        amounts = work / "amounts.csv"
        amounts.write_bytes(("\n".join(rows[:3] + [rows[3].rsplit(",", 1)[0] + "," + field] + rows[4:]) + "\n").encode())
        result = subprocess.run([str(cli), "generate", "--amounts", str(amounts), "--output", str(work / "never.xls")],
                                capture_output=True, env=env, timeout=TIMEOUT)
        line = result.stderr.decode(errors="replace").strip()
        check(result.returncode == 1 and len(line) < 400 and line.endswith(shown) and "line 4" in line,
              f"amounts echo: {line[:300]!r}")


def read_pause(fifo):
    """The folder a paused run reports through `fifo`; None when no run reports in time."""
    fd = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)  # keeps the FIFO open; it is no writer
    try:
        ready, _, _ = select.select([fd], [], [], TIMEOUT)
        return os.read(fd, 4096).decode().strip() if ready else None
    finally:
        os.close(fd)


def check_private_files_and_interruption(cli, work, env):
    """Pauses runs at the point where all their temporary files exist (after the picture is
    written), checks the files are owner-only, then ends the runs by signal."""
    shared = work / "shared-temp"
    shared.mkdir()
    shared.chmod(0o777)
    for sig in (signal.SIGTERM, signal.SIGINT):
        fifo = work / f"pause-{sig}.fifo"
        os.mkfifo(fifo)
        out = work / f"interrupted-{sig}.xls"
        child = subprocess.Popen([str(cli), "generate", "--sample", "--output", str(out)],
                                 env=dict(env, TEMP=str(shared), QUILLORA_PAUSE_FIFO=str(fifo)),
                                 stderr=subprocess.PIPE, preexec_fn=lambda: os.umask(0))
        folder = read_pause(fifo)
        if folder is None:
            check(False, f"the run did not pause (signal {sig})")
            child.kill()
            child.wait()
            continue
        entries = sorted(os.listdir(folder))
        check(len(entries) == 3 and entries[0].startswith("tamrel") and entries[1:] == ["temp.bmp", "template.xlt"],
              f"the paused run holds {entries}")
        check(mode(folder) == 0o700, f"the run folder is {oct(mode(folder))}")
        for name in entries:
            check(mode(os.path.join(folder, name)) == 0o600, f"{name} is {oct(mode(os.path.join(folder, name)))}")
        child.send_signal(sig)
        child.wait(timeout=TIMEOUT)
        check(child.returncode == -sig, f"the run ended with {child.returncode}, not by signal {sig}")
        check(os.listdir(shared) == [], f"left after signal {sig}: {os.listdir(shared)}")
        check(not out.exists() and list(work.glob(out.name + "*")) == [], f"an output was written after signal {sig}")


def check_concurrent_runs(cli, work, env):
    """Many runs at once, all in the same private temporary folder (TEMP unset)."""
    env = {k: v for k, v in env.items() if k != "TEMP"}
    reference = work / "reference.xls"
    check(run(cli, env, "generate", "--sample", "--output", reference, "--picture", work / "reference.png")
          .returncode == 0, "the reference run failed")
    count = 24

    def one(i):
        return subprocess.run([str(cli), "generate", "--sample", "--output", str(work / f"run{i}.xls"),
                               "--picture", str(work / f"run{i}.png")],
                              capture_output=True, text=True, env=env, timeout=600)

    with ThreadPoolExecutor(max_workers=count) as pool:
        results = list(pool.map(one, range(count)))
    picture = (work / "reference.png").read_bytes()
    for i, result in enumerate(results):
        check(result.returncode == 0 and result.stderr == "", f"run {i}: {result.returncode} {result.stderr!r}")
        if result.returncode != 0:
            continue
        sheet = xlrd.open_workbook(str(work / f"run{i}.xls")).sheet_by_index(0)
        check((sheet.cell_value(3, 1), sheet.cell_value(8, 1)) == (7556.0, 225.0), f"run {i}: wrong workbook")
        check((work / f"run{i}.png").read_bytes() == picture, f"run {i}: a different picture")
    private = work / "runtime" / "quillora"
    check(list(private.iterdir()) == [], f"left in the private temporary folder: {list(private.iterdir())}")


def main():
    args, work, cli = start("cli_files")
    env = environment(work, LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    (work / "tmp").mkdir(mode=0o700)
    env["TEMP"] = str(work / "tmp")
    book = work / "book.xls"
    subprocess.run([str(cli), "generate", "--sample", "--output", str(book)], check=True, env=env)
    started = time.monotonic()
    check_inputs(cli, work, env, book)
    check_outputs(cli, work, env, book)
    check_messages(cli, work, env, book)
    check_private_files_and_interruption(cli, work, env)
    check_concurrent_runs(cli, work, env)
    print("checked in %.1f s" % (time.monotonic() - started))
    return finish()


if __name__ == "__main__":
    sys.exit(main())
