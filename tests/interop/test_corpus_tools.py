#!/usr/bin/python3
"""Every real-world .xls file through `render` and `set`, not only `dump`.

For each file of the shared corpus, `render FILE --output OUT.png` and
`set FILE OUT.xls A1=1 B2=text C3==A1+1` either work or are refused with exactly one
line "quillora-cli <command>: ..." on stderr and exit 1: never a crash, a sanitizer
report or a hang. A picture that is written is a PNG with a size; a workbook that `set`
writes reads back with `dump` (A1 the number 1, B2 the text, C3 a formula whose cached
result is 2 on the first worksheet) and with xlrd (the same three cells). A file `dump`
opens must not be refused by `set` except for the cell change itself: what the engine
reads, it can write. Random bytes, a renamed zip archive and a truncated workbook are
refused by both commands, leaving no file behind.
"""
import os
import pathlib
import random
import struct
import subprocess
import sys
import time
import zipfile

import xlrd

from interop_support import check, environment, failures, start, finish

ASSIGNMENTS = ["A1=1", "B2=corpus text", "C3==A1+1"]
TIMEOUT = 60


def run(cli, command, env):
    start_time = time.monotonic()
    try:
        result = subprocess.run([str(cli)] + command, env=env, capture_output=True, timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        return None, ["timed out"], "", TIMEOUT
    lines = result.stderr.decode("utf-8", "replace").splitlines()
    return result.returncode, lines, result.stdout.decode("utf-8", "replace"), time.monotonic() - start_time


def outcome(name, command, code, lines):
    """'ok' or 'refused' for an acceptable result; records a failure otherwise."""
    if code == 0:
        check(not lines, "%s: %s succeeded but wrote to stderr: %r" % (name, command, lines[-5:]))
        return "ok"
    if code == 1:
        prefix = "quillora-cli %s: " % command
        check(len(lines) == 1 and lines[0].startswith(prefix),
              "%s: %s refusal is not one line: %r" % (name, command, lines[-8:]))
        return "refused"
    failures.append("%s: %s exit code %r (crash or hang): %r" % (name, command, code, lines[-8:]))
    return "crashed"


def png_size(path):
    data = path.read_bytes()[:24] if path.exists() else b""
    if len(data) < 24 or data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def first_worksheet_cells(listing):
    """Cells of the first worksheet in a dump listing: address -> (type, value)."""
    cells, inside = {}, False
    for line in listing.splitlines():
        if line.startswith("sheet "):
            if inside:
                break
            inside = line.split()[-2] == "worksheet"
            continue
        if inside and not line.startswith("  "):
            parts = line.split("\t")
            cells[parts[0]] = (parts[1], parts[2])
    return cells


def check_written(cli, name, out, env):
    code, lines, listing, _ = run(cli, ["dump", str(out)], env)
    check(code == 0, "%s: the workbook set wrote does not dump: %r" % (name, lines))
    if code == 0:
        cells = first_worksheet_cells(listing)
        check(cells.get("A1") == ("number", "1"), "%s: dump reads A1 as %r" % (name, cells.get("A1")))
        check(cells.get("B2") == ("text", '"corpus text"'), "%s: dump reads B2 as %r" % (name, cells.get("B2")))
        check(cells.get("C3") == ("formula:number", "2"), "%s: dump reads C3 as %r" % (name, cells.get("C3")))
    try:
        with open(os.devnull, "w") as quiet:  # xlrd's remarks on names kept as read
            book = xlrd.open_workbook(str(out), formatting_info=False, logfile=quiet)
    except Exception as error:  # xlrd raises many kinds; each is a failure to report
        failures.append("%s: xlrd cannot read the workbook set wrote: %s" % (name, error))
        return
    sheet = book.sheet_by_index(0)
    values = {}
    for row, column, address in ((0, 0, "A1"), (1, 1, "B2"), (2, 2, "C3")):
        inside = row < sheet.nrows and column < sheet.row_len(row)
        values[address] = sheet.cell_value(row, column) if inside else None
    check(values == {"A1": 1.0, "B2": "corpus text", "C3": 2.0}, "%s: xlrd reads %r" % (name, values))


def foreign_files(work, corpus):
    """Random bytes, a zip archive named .xls and the first half of a corpus workbook."""
    noise = work / "random.xls"
    noise.write_bytes(bytes(random.Random(7).getrandbits(8) for _ in range(12000)))
    renamed = work / "renamed.xls"
    with zipfile.ZipFile(renamed, "w") as archive:
        archive.writestr("[Content_Types].xml", "<Types/>")
        archive.writestr("xl/workbook.xml", "<workbook/>")
    source = max(corpus, key=lambda p: p.stat().st_size if p.name.startswith("xlrd-") else 0)
    truncated = work / "truncated.xls"
    truncated.write_bytes(source.read_bytes()[: source.stat().st_size // 2 + 33])
    return [noise, renamed, truncated]


def main():
    args, work, cli = start("corpus-tools")
    env = environment(work)
    folder = pathlib.Path(args.shared, "corpus", "xls")
    corpus = sorted(folder.glob("*.xls"))
    if not corpus:
        sys.exit("no corpus files found in %s" % folder)
    counts = {}
    began = time.monotonic()
    for path in corpus:
        name = path.name
        picture = work / (path.stem + ".png")
        code, lines, _, seconds_render = run(cli, ["render", str(path), "--output", str(picture)], env)
        rendered = outcome(name, "render", code, lines)
        if rendered == "ok":
            size = png_size(picture)
            check(size is not None and size[0] > 0 and size[1] > 0, "%s: render wrote no PNG picture" % name)
        else:
            check(not picture.exists(), "%s: a refused render left %s" % (name, picture.name))

        out = work / (path.stem + "-set.xls")
        code, lines, _, seconds_set = run(cli, ["set", str(path), str(out)] + ASSIGNMENTS, env)
        written = outcome(name, "set", code, lines)
        if written == "ok":
            check_written(cli, name, out, env)
        else:
            check(not out.exists(), "%s: a refused set left %s" % (name, out.name))
            # What dump reads, set must be able to save; only the cell itself may refuse
            # the change (a cell that shares its formula with others, for example).
            opened = run(cli, ["dump", str(path)], env)[0] == 0
            check(not opened or (len(lines) == 1 and ": Cannot set " in lines[0]),
                  "%s: dump opens it but set refuses: %r" % (name, lines))

        for result in (rendered, written):
            counts[result] = counts.get(result, 0) + 1
        detail = (lines[0] if lines else "") if written != "ok" else ""
        print("%-55s render %-8s %5.2f s  set %-8s %5.2f s  %s" % (name, rendered, seconds_render, written, seconds_set, detail))

    print("corpus: %d files, %s, %.0f s" % (len(corpus), counts, time.monotonic() - began))
    for path in foreign_files(work, corpus):
        for command, out in (("render", ["--output", str(work / "foreign.png")]),
                             ("set", [str(work / "foreign-set.xls")] + ASSIGNMENTS)):
            arguments = [command, str(path)] + out
            code, lines, _, _ = run(cli, arguments, env)
            check(outcome(path.name, command, code, lines) == "refused", "%s: %s did not refuse it" % (path.name, command))
        check(not (work / "foreign.png").exists() and not (work / "foreign-set.xls").exists(),
              "%s: a refusal left a file behind" % path.name)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
