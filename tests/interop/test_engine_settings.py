#!/usr/bin/python3
"""The engine's names, page setup, window settings, picture and ignored errors as
independent readers see them.

The spreadsheet test program writes its settings workbook (the test
SheetSettingsRoundTrip.EveryFieldSurvivesAndASecondSaveIsIdentical, asked through
QUILLORA_SETTINGS_TEST_WORKBOOK); ssconvert must turn it into .xlsx without a word, and the
sheet XML must hold the picture with its anchor, the footer, the fit-to-pages height, the
horizontal centring, the Print_Titles name and the hidden gridlines. xlrd must read the name.
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import zipfile

import xlrd

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def environment(work):
    env = dict(os.environ)
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    env["XDG_RUNTIME_DIR"] = str(runtime)
    env["HOME"] = str(work)
    return env


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
        check(re.search(r'horizontalCentered="(1|true)"', sheet) is not None, "not centred horizontally")
        check("&amp;LWedding Budget&amp;RPage &amp;P of &amp;N" in sheet, "footer missing")
        check(re.search(r"<drawing r:id=", sheet) is not None, "the sheet has no drawing")
        media = [n for n in names if n.startswith("xl/media/")]
        check(len(media) == 1, "image parts: %r" % media)
        drawings = [n for n in names if re.fullmatch(r"xl/drawings/drawing\d+\.xml", n)]
        check(len(drawings) == 1, "drawing parts: %r" % drawings)
        if drawings:
            drawing = package.read(drawings[0]).decode("utf-8")
            anchor = re.search(r"<xdr:from><xdr:col>(\d+)</xdr:col><xdr:colOff>(\d+)</xdr:colOff>"
                               r"<xdr:row>(\d+)</xdr:row><xdr:rowOff>(\d+)</xdr:rowOff></xdr:from>"
                               r"<xdr:to><xdr:col>(\d+)</xdr:col><xdr:colOff>(\d+)</xdr:colOff>"
                               r"<xdr:row>(\d+)</xdr:row><xdr:rowOff>(\d+)</xdr:rowOff></xdr:to>", drawing)
            check(anchor is not None, "no two-cell anchor in the drawing")
            if anchor:
                cells = [int(anchor.group(i)) for i in (1, 3, 5, 7)]
                check(cells == [0, 0, 0, 2], "anchor cells %r, expected A1 to A3" % cells)
                check(int(anchor.group(2)) > 0 and int(anchor.group(6)) > int(anchor.group(2)),
                      "anchor column offsets %s, %s" % (anchor.group(2), anchor.group(6)))
            check("floral" in drawing and "Floral Arrangement" in drawing, "picture name or description missing")
        book = package.read("xl/workbook.xml").decode("utf-8")
        titles = re.search(r'<definedName name="_xlnm.Print_Titles"[^>]*>([^<]*)</definedName>', book)
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
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--shared", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    work = pathlib.Path(args.work) / "engine-settings"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = environment(work)
    cli = pathlib.Path(args.cli)
    test_program = cli.parent.parent / "tests" / "test_spreadsheet"
    workbook = work / "settings.xls"
    env_test = dict(env, QUILLORA_SETTINGS_TEST_WORKBOOK=str(workbook), QT_QPA_PLATFORM="offscreen")
    run = subprocess.run([str(test_program), "--gtest_filter=SheetSettingsRoundTrip.EveryFieldSurvivesAndASecondSaveIsIdentical"],
                         env=env_test, capture_output=True, text=True)
    if run.returncode != 0 or not workbook.exists():
        print(run.stdout, run.stderr)
        sys.exit("the test program did not write the settings workbook")

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

    if failures:
        print("\n".join(failures))
        sys.exit(1)
    print("settings workbook: xlrd and ssconvert see the names, page setup, window and picture")


if __name__ == "__main__":
    main()
