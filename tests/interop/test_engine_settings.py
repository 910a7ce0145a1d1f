#!/usr/bin/python3
"""The engine's names, page setup, window settings, picture and ignored errors as
independent readers see them.

The spreadsheet test program writes its settings workbook (the test
SheetSettingsRoundTrip.EveryFieldSurvivesAndASecondSaveIsIdentical, asked through
QUILLORA_SETTINGS_TEST_WORKBOOK); ssconvert must turn it into .xlsx without a word, and the
sheet XML must hold the picture with its anchor, the footer, the fit-to-pages height, the
horizontal centring (checked in the converter's own format: its .xlsx writer omits it), the
Print_Titles name and the hidden gridlines. xlrd must read the name.
"""
import gzip
import re
import subprocess
import sys
import zipfile

import xlrd

from interop_support import check, environment, failures, start, written_by_test

def check_xlsx(path):
    with zipfile.ZipFile(path) as package:
        names = package.namelist()
        sheet_name = next((n for n in names if re.fullmatch(r"xl/worksheets/sheet\d+\.xml", n)), None)
        check(sheet_name is not None, "no sheet part in %r" % names)
        if sheet_name is None:
            return
        sheet = package.read(sheet_name).decode("utf-8")
        check(re.search(r'showGridLines="(0|false)"', sheet) is not None, "gridlines are not hidden")
        check(re.search(r'fitToHeight="3"', sheet) is not None, "no fitToHeight=3")
        check(re.search(r'fitToPage="(1|true)"', sheet) is not None, "fit to page is off")
        check("&amp;LWedding Budget&amp;RPage &amp;P of &amp;N" in sheet, "footer missing")
        check(re.search(r"<drawing r:id=", sheet) is not None, "the sheet has no drawing")
        media = [n for n in names if n.startswith("xl/media/")]
        check(len(media) == 1, "image parts: %r" % media)
        drawings = [n for n in names if re.fullmatch(r"xl/drawings/drawing\d+\.xml", n)]
        check(len(drawings) == 1, "drawing parts: %r" % drawings)
        if drawings:
            drawing = package.read(drawings[0]).decode("utf-8")
            flat = re.sub(r">\s+<", "><", drawing)
            # The converter writes a one-cell anchor (start cell and size) for what the
            # workbook anchors by two cells; either must start in A1 at the stored offsets
            # and end in A3.
            start = re.search(r"<xdr:from><xdr:col>(\d+)</xdr:col><xdr:colOff>(\d+)</xdr:colOff>"
                              r"<xdr:row>(\d+)</xdr:row><xdr:rowOff>(\d+)</xdr:rowOff></xdr:from>", flat)
            check(start is not None, "no anchor in the drawing")
            if start:
                col, col_off, row, row_off = (int(start.group(i)) for i in range(1, 5))
                check((col, row) == (0, 0), "anchored at column %d row %d, expected A1" % (col, row))
                check(col_off > 0 and row_off > 0, "anchor offsets %d, %d" % (col_off, row_off))
                # Row 1 is 12.75 pt: 43/256 of it is 2.14 pt = 27,200 EMU.
                check(abs(row_off - 27200) < 300, "row offset %d EMU, expected about 27200" % row_off)
            end = re.search(r"<xdr:to><xdr:col>(\d+)</xdr:col><xdr:colOff>\d+</xdr:colOff><xdr:row>(\d+)</xdr:row>", flat)
            size = re.search(r'<xdr:ext cx="(\d+)" cy="(\d+)"/>', flat)
            if end:
                check((int(end.group(1)), int(end.group(2))) == (0, 2), "anchor ends at %r" % (end.groups(),))
            else:
                # 1 - 43/256 of row 1, row 2 and 136/256 of row 3, at 12.75 pt each.
                check(size is not None and abs(int(size.group(2)) - 382700) < 1000, "picture height %r" % (size and size.groups(),))
            # The converter keeps the picture's name (it reads no description).
            check('name="floral"' in drawing, "picture name missing")
        book = package.read("xl/workbook.xml").decode("utf-8")
        titles = re.search(r'<definedName name="(?:_xlnm\.)?Print_Titles" localSheetId="0">([^<]*)</definedName>', book)
        check(titles is not None, "no Print_Titles defined name")
        if titles:
            check(titles.group(1).replace("&apos;", "'") == "'Wedding Budget'!$1:$6",
                  "Print_Titles refers to %r" % titles.group(1))


def check_xlrd(path):
    book = xlrd.open_workbook(str(path))
    titles = [n for n in book.name_obj_list if n.name == "Print_Titles"]
    check(len(titles) == 1, "xlrd names: %r" % [n.name for n in book.name_obj_list])
    if titles:
        check(titles[0].builtin == 1 and titles[0].scope == 0, "Print_Titles scope %r" % titles[0].scope)
        check(titles[0].result is not None and titles[0].result.kind == xlrd.oREF, "Print_Titles is not a reference")
        if titles[0].result is not None and titles[0].result.kind == xlrd.oREF:
            area = titles[0].result.value[0].coords
            check(area == (0, 1, 0, 6, 0, 256), "Print_Titles covers %r" % (area,))
    check("print_titles" in book.name_map, "name_map lacks print_titles")


def main():
    args, work, cli = start("engine-settings")
    env = environment(work)
    workbook = written_by_test(cli, env, "QUILLORA_SETTINGS_TEST_WORKBOOK",
                               "SheetSettingsRoundTrip.EveryFieldSurvivesAndASecondSaveIsIdentical",
                               work / "settings.xls")

    dump = subprocess.run([str(cli), "dump", str(workbook)], env=env, capture_output=True, text=True)
    check(dump.returncode == 0 and dump.stderr == "", "dump failed: " + dump.stderr)
    check('  name "Print_Titles" scope="Wedding Budget" built-in formula="\'Wedding Budget\'!$1:$6"' in dump.stdout,
          "dump does not list Print_Titles")

    check_xlrd(workbook)

    converted = work / "settings.xlsx"
    ssconvert = subprocess.run(["ssconvert", str(workbook), str(converted)], env=env, capture_output=True, text=True)
    check(ssconvert.returncode == 0, "ssconvert exit %d" % ssconvert.returncode)
    check(ssconvert.stderr == "" and ssconvert.stdout == "", "ssconvert said: %r %r" % (ssconvert.stdout, ssconvert.stderr))
    if converted.exists():
        check_xlsx(converted)
    else:
        check(False, "ssconvert wrote nothing")

    # The converter's .xlsx writer leaves page centring out whatever it read, so centring is
    # checked in its own file format, which keeps every print setting it read.
    native = work / "settings.gnumeric"
    run = subprocess.run(["ssconvert", "-T", "Gnumeric_XmlIO:sax", str(workbook), str(native)], env=env,
                         capture_output=True, text=True)
    check(run.returncode == 0 and run.stderr == "", "ssconvert to its own format: %r" % run.stderr)
    if native.exists():
        with gzip.open(native, "rt", encoding="utf-8") as handle:
            xml = handle.read()
        check('<gnm:hcenter value="1"/>' in xml, "not centred horizontally")
        check('<gnm:vcenter value="0"/>' in xml, "centred vertically")

    if failures:
        print("\n".join(failures))
        sys.exit(1)
    print("settings workbook: xlrd and ssconvert see the names, page setup, window and picture")


if __name__ == "__main__":
    main()
