#!/usr/bin/python3
"""`quillora-cli pdf` against LibreOffice's own PDF of the same workbook.

For the template and for the generated sample budget: as many pages as LibreOffice prints
(3, Letter, portrait), rows 1-6 at the top of every page, each page starting at the same row
as LibreOffice's (within one row), the footer "Wedding Budget" and "Page n of 3", every
font embedded, and every amount and total as text that `pdftotext` extracts. Every corpus
workbook prints (exit 0, a PDF with pages) or is refused in exactly one line.
"""
import collections
import pathlib
import re
import shutil
import subprocess
import sys

import xlrd

from interop_support import check, environment, start, finish

AMOUNT = re.compile(r"\(?\$[\d,]+\.\d\d\)?")


def pdf_info(path):
    text = subprocess.run(["pdfinfo", str(path)], capture_output=True, text=True, check=True).stdout
    pages = int(re.search(r"^Pages:\s+(\d+)", text, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+)", text, re.M)
    return pages, (round(float(size.group(1))), round(float(size.group(2))))


def page_texts(path, pages):
    return [subprocess.run(["pdftotext", "-layout", "-f", str(p), "-l", str(p), str(path), "-"],
                           capture_output=True, text=True, check=True).stdout for p in range(1, pages + 1)]


def column_a_labels(path):
    """(row, label) of column A below the repeated rows, 1-based rows, in sheet order."""
    sheet = xlrd.open_workbook(str(path)).sheet_by_index(0)
    return [(r + 1, sheet.cell_value(r, 0).strip()) for r in range(6, sheet.nrows)
            if isinstance(sheet.cell_value(r, 0), str) and sheet.cell_value(r, 0).strip()]


def page_start_rows(texts, labels):
    """The row of the first column-A label on each page after the repeated rows, matching
    the labels in sheet order (several sections share a label such as "Other____")."""
    starts, at = [], 0
    for text in texts:
        body = text.split("Total Expenses", 1)[-1]
        first = None
        for line in body.splitlines():
            cell = re.split(r"\s{2,}", line.strip())[0] if line.strip() else ""
            for i in range(at, min(at + 40, len(labels))):
                if labels[i][1] == cell:
                    if first is None:
                        first = labels[i][0]
                    at = i + 1
                    break
        starts.append(first)
    return starts


def shown_amounts(path):
    """Every amount of rows 4 to 117 as the currency format shows it; the repeated grand
    totals once per page are added by the caller."""
    sheet = xlrd.open_workbook(str(path)).sheet_by_index(0)
    amounts = []
    for r in range(3, sheet.nrows):
        for c in (1, 2):
            value = sheet.cell_value(r, c)
            if sheet.cell_type(r, c) == xlrd.XL_CELL_NUMBER:
                text = "${:,.2f}".format(abs(value))
                amounts.append("(" + text + ")" if value < 0 else text)
    return amounts


def libreoffice_pdf(xls, out_dir, env):
    profile = out_dir / "lo-profile"
    subprocess.run(["soffice", "--headless", "-env:UserInstallation=" + profile.as_uri(), "--convert-to", "pdf",
                    "--outdir", str(out_dir), str(xls)], env=env, capture_output=True, timeout=300)
    return out_dir / (xls.stem + ".pdf")


def compare(label, cli, xls, work, env):
    ours = work / (xls.stem + "-quillora.pdf")
    run = subprocess.run([cli, "pdf", str(xls), "--output", str(ours)], env=env, capture_output=True, text=True)
    check(run.returncode == 0, "%s: pdf failed: %s" % (label, run.stderr.strip()))
    if run.returncode != 0:
        return
    theirs = libreoffice_pdf(xls, work / "lo", env)
    check(theirs.exists(), "%s: LibreOffice wrote no PDF" % label)
    if not theirs.exists():
        return
    pages, size = pdf_info(ours)
    lo_pages, lo_size = pdf_info(theirs)
    print("%s: %d pages %s (LibreOffice: %d pages %s)" % (label, pages, size, lo_pages, lo_size))
    check(pages == lo_pages == 3, "%s: %d pages, LibreOffice %d" % (label, pages, lo_pages))
    check(size == lo_size == (612, 792), "%s: page size %s, LibreOffice %s" % (label, size, lo_size))
    fonts = subprocess.run(["pdffonts", str(ours)], capture_output=True, text=True, check=True).stdout.splitlines()[2:]
    check(fonts and all(line.split()[-5] == "yes" for line in fonts), "%s: fonts not embedded: %s" % (label, fonts))

    texts, lo_texts = page_texts(ours, pages), page_texts(theirs, lo_pages)
    for n, text in enumerate(texts, 1):
        head = text.split("Total Expenses", 1)[0]
        check("Wedding Budget" in head and "Estimated" in head and "Actual" in head and "Total Expenses" in text,
              "%s page %d: rows 1-6 are not at its top" % (label, n))
        lines = [line for line in text.splitlines() if line.strip()]
        footer = lines[-1] if lines else ""
        check(re.match(r"^\s*Wedding Budget\s+Page %d of %d\s*$" % (n, pages), footer) is not None,
              "%s page %d: footer %r" % (label, n, footer))
    labels = column_a_labels(xls)
    starts, lo_starts = page_start_rows(texts, labels), page_start_rows(lo_texts, labels)
    print("%s: pages start at rows %s (LibreOffice: %s)" % (label, starts, lo_starts))
    for n, (ours_row, lo_row) in enumerate(zip(starts, lo_starts), 1):
        check(ours_row is not None and lo_row is not None and abs(ours_row - lo_row) <= 1,
              "%s page %d starts at row %s, LibreOffice's at %s" % (label, n, ours_row, lo_row))

    want = collections.Counter(shown_amounts(xls))
    grand = [a for a in AMOUNT.findall(texts[0].split("Total Expenses", 1)[1].splitlines()[0])]
    for _ in range(pages - 1):
        want.update(grand)  # the grand totals repeat with rows 1-6
    found = collections.Counter(a for text in texts for a in AMOUNT.findall(text))
    missing = want - found
    check(not missing, "%s: amounts not extractable: %s" % (label, sorted(missing)[:10]))


def corpus(cli, shared, work, env):
    folder = shared / "corpus" / "xls"
    printed = refused = 0
    for path in sorted(folder.glob("*.xls")):
        out = work / "corpus" / (path.stem + ".pdf")
        out.parent.mkdir(exist_ok=True)
        try:
            run = subprocess.run([cli, "pdf", str(path), "--output", str(out)], env=env, capture_output=True,
                                 text=True, timeout=60)
        except subprocess.TimeoutExpired:
            check(False, "%s: pdf hung" % path.name)
            continue
        lines = run.stderr.splitlines()
        if run.returncode == 0:
            printed += 1
            check(not lines, "%s: printed but wrote to stderr: %r" % (path.name, lines))
            check(out.exists() and pdf_info(out)[0] >= 1, "%s: no PDF pages" % path.name)
        else:
            refused += 1
            check(run.returncode == 1 and len(lines) == 1 and lines[0].startswith("quillora-cli pdf: "),
                  "%s: exit %d, refusal %r" % (path.name, run.returncode, lines[-3:]))
            check(not out.exists(), "%s: refused but left a file" % path.name)
        print("%-55s %s" % (path.name, "printed" if run.returncode == 0 else lines[:1]))
    print("corpus: %d printed, %d refused" % (printed, refused))


def main():
    args, work, cli = start("print-pdf")
    env = environment(work)
    for tool in ("soffice", "pdfinfo", "pdftotext", "pdffonts"):
        if shutil.which(tool) is None:
            sys.exit("%s is missing: run scripts/deps.sh test" % tool)
    template = work / "template.xlt"
    subprocess.run([cli, "template", str(template)], env=env, check=True)
    # LibreOffice opens a template as a new document; the same bytes as .xls print as a workbook.
    template_xls = work / "template.xls"
    shutil.copyfile(template, template_xls)
    compare("template", cli, template_xls, work, env)
    sample = work / "sample.xls"
    subprocess.run([cli, "generate", "--sample", "--output", str(sample)], env=env, check=True)
    compare("sample budget", cli, sample, work, env)
    corpus(cli, pathlib.Path(args.shared), work, env)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
