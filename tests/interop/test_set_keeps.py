#!/usr/bin/python3
"""`quillora-cli set` keeps what the engine reads but does not interpret.

Every corpus workbook that `set` saves keeps the compound file's other streams and its
storages (a macro project, document properties), as olefile lists them: the same entries
with the same storage class identifiers and, except the workbook stream, the same bytes. And no
cell that xlrd reads becomes #REF! through the recalculation: formulas that reach into other
workbooks (which the engine cannot evaluate) keep their cached values.
"""
import os
import pathlib
import subprocess
import sys

import olefile
import xlrd

from interop_support import check, environment, finish, start

# A cell far from any corpus sheet's data, so the change itself reaches no formula.
ASSIGNMENT = "IV65000=1"
REF_ERROR = 0x17


def entries(path):
    """(path, kind, class id, bytes or None) of every stream and storage below the root.
    The workbook stream's name is taken in one spelling; only storages have a class."""
    with olefile.OleFileIO(str(path)) as ole:
        listing = []
        for parts in ole.listdir(streams=True, storages=True):
            kind = ole.get_type(parts)
            name = "/".join(parts)
            if kind == olefile.STGTY_STREAM:
                name = "Workbook" if name.lower() == "workbook" else name
                listing.append((name, kind, "", ole.openstream(parts).read()))
            else:
                listing.append((name, kind, ole.getclsid(parts), None))
        return sorted(listing)


def cell_values(path):
    """(sheet, row, column) -> (xlrd type, value) of every cell."""
    with open(os.devnull, "w") as quiet:  # ragged rows: the far cell set adds no padding
        book = xlrd.open_workbook(str(path), formatting_info=False, logfile=quiet, ragged_rows=True)
    values = {}
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        for row in range(sheet.nrows):
            for column in range(sheet.row_len(row)):
                cell = sheet.cell(row, column)
                values[(index, row, column)] = (cell.ctype, cell.value)
    return values


def main():
    args, work, cli = start("set-keeps")
    env = environment(work)
    corpus = sorted(pathlib.Path(args.shared, "corpus", "xls").glob("*.xls"))
    saved = storages = kept_values = 0
    for path in corpus:
        out = work / (path.stem + "-set.xls")
        result = subprocess.run([str(cli), "set", str(path), str(out), ASSIGNMENT], env=env,
                                capture_output=True, timeout=120)
        if result.returncode != 0:
            continue  # refusals are test_corpus_tools' business
        saved += 1
        try:
            before, after = entries(path), entries(out)
        except OSError as error:
            check(False, "%s: olefile cannot list a file: %s" % (path.name, error))
            continue
        check([e[:3] for e in before] == [e[:3] for e in after],
              "%s: the entries differ after set:\n  before %r\n  after  %r"
              % (path.name, [e[:2] for e in before], [e[:2] for e in after]))
        for (name, kind, _, data), (_, _, _, written) in zip(before, after):
            if kind == olefile.STGTY_STREAM and name != "Workbook":
                check(data == written, "%s: stream %s changed" % (path.name, name))
        storages += sum(1 for e in before if e[1] == olefile.STGTY_STORAGE)

        try:
            old, new = cell_values(path), cell_values(out)
        except Exception as error:  # xlrd raises many kinds; files it cannot read are skipped
            continue
        for key, (kind, value) in old.items():
            if kind == xlrd.XL_CELL_ERROR and value == REF_ERROR:
                continue
            now = new.get(key)
            check(now != (xlrd.XL_CELL_ERROR, REF_ERROR),
                  "%s: sheet %d row %d column %d was %r and became #REF!" % ((path.name,) + key + (value,)))
            kept_values += 1
    check(saved >= 20, "only %d corpus workbooks were saved" % saved)
    check(storages >= 6, "the corpus workbooks saved hold only %d storages" % storages)
    print("%d workbooks saved, %d storages kept, %d cell values compared" % (saved, storages, kept_values))
    return finish(40)


if __name__ == "__main__":
    sys.exit(main())
