#!/bin/sh
# "Export PDF…" from the preview picture's context menu in the real program under a virtual
# X server: load the sample data, "Start Creating Template", right-click the picture, choose
# "Export PDF…", type a name in the Save dialog. The PDF must hold the same pages, with the
# same text, as `quillora-cli pdf` makes of the generated workbook.
# Usage: tests/gui/export_pdf.sh PROGRAM CLI OUTPUT_FOLDER
set -eu
program=$(realpath "$1")
cli=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
rm -rf "$out" && mkdir -p "$out/tmp" && chmod 700 "$out/tmp"
# The program draws on the virtual X server whatever display platform the caller names.
export QT_QPA_PLATFORM=xcb
exec timeout 150 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  set -eu
  program=$1 cli=$2 out=$3 here=$4
  . "$here/screen.sh"
  window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
  dialog_shown() { [ -n "$(window "^Export PDF\$")" ]; }
  focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

  TEMP=$out/tmp HOME=$out "$program" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  until_true drawn || fail "the entry window was not drawn"
  shot form1
  xdotool mousemove --window "$form1" 460 55 click 1          # Load Sample/Example Data
  until_true differs "$out/form1.png" || fail "the sample amounts did not show"
  xdotool mousemove --window "$form1" 308 21 click 1          # Start Creating Template
  until_true only_preview || fail "the preview did not replace the entry window"
  preview=$(window "^Quillora\$")
  until_true drawn || fail "the preview was not drawn"
  shot preview
  xdotool mousemove --window "$preview" 200 200 click 3       # the picture context menu
  until_true differs "$out/preview.png" || fail "the context menu did not show"
  xdotool key Down Down Return                                  # "Export PDF…"
  until_true dialog_shown || fail "the Export PDF dialog did not show"
  dialog=$(window "^Export PDF\$")
  until_true focused "$dialog" || fail "the Export PDF dialog did not take the keyboard"
  # Typed through the server as a user types, to the window that holds the keyboard focus
  # (the dialog, as checked above); events sent to one window id fail when the toolkit
  # replaces the native window of the dialog meanwhile.
  xdotool key ctrl+a
  xdotool type "$out/exported.pdf"
  xdotool key Return
  until_true test -s "$out/exported.pdf" || fail "no PDF was written"
  workbook=$(run_workbook | head -n 1)
  "$cli" pdf "$workbook" --output "$out/cli.pdf" || fail "quillora-cli pdf failed"
  pages=$(pdfinfo "$out/exported.pdf" | sed -n "s/^Pages: *//p")
  [ "$pages" = "$(pdfinfo "$out/cli.pdf" | sed -n "s/^Pages: *//p")" ] || fail "the exported PDF has $pages pages"
  [ "$pages" = 3 ] || fail "the exported PDF has $pages pages, not 3"
  pdftotext -layout "$out/exported.pdf" "$out/exported.txt"
  pdftotext -layout "$out/cli.pdf" "$out/cli.txt"
  cmp -s "$out/exported.txt" "$out/cli.txt" || fail "the exported pages differ from quillora-cli pdf: $(diff "$out/exported.txt" "$out/cli.txt" | head -5)"
  rm -f "$out/now.png"
  /usr/bin/python3 "$here/close_window.py" "$preview"
  wait "$pid" || fail "the program ended with an error"
  echo "export pdf passed: $pages pages in $out/exported.pdf"
' export "$program" "$cli" "$out" "$here"
