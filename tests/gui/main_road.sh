#!/bin/sh
# The main road in the real program under a virtual X server, driven by the mouse: load the
# sample data, "Start Creating Template", the preview on screen, "Zoom Out", close.
# Usage: tests/gui/main_road.sh PROGRAM OUTPUT_FOLDER
# Screenshots land in OUTPUT_FOLDER: form1.png (start), form1-sample.png (sample loaded),
# preview.png (the preview at 100 %), preview-zoomed-out.png (after "Zoom Out").
# Fails when a step does not show on screen, when the temporary workbook is not there while
# the preview shows, or when closing leaves it behind or does not end the program.
set -eu
# The program draws on the virtual X server whatever display platform the caller names.
export QT_QPA_PLATFORM=xcb
program=$(realpath "$1")
out=$(realpath -m "$2")
here=$(dirname "$(realpath "$0")")
rm -rf "$out" && mkdir -p "$out/tmp" && chmod 700 "$out/tmp"
exec timeout 120 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  set -eu
  program=$1 out=$2 here=$3
  . "$here/screen.sh"

  TEMP=$out/tmp HOME=$out "$program" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  until_true drawn || fail "the entry window was not drawn"
  shot form1
  xdotool mousemove --window "$form1" 460 55 click 1          # Load Sample/Example Data
  until_true differs "$out/form1.png" || fail "the sample amounts did not show"
  shot form1-sample
  xdotool mousemove --window "$form1" 308 21 click 1          # Start Creating Template
  until_true only_preview || fail "the preview did not replace the entry window"
  until_true differs "$out/form1-sample.png" || fail "the preview was not drawn"
  shot preview
  # The workbook lies in a folder of the run, inside the temporary folder.
  workbooks=$(run_workbook | wc -l)
  [ "$workbooks" = 1 ] || fail "temporary folder holds: $(find "$out/tmp")"
  preview=$(visible)
  xdotool mousemove --window "$preview" 480 557 click 1       # Zoom Out
  until_true differs "$out/preview.png" || fail "Zoom Out changed nothing"
  shot preview-zoomed-out
  /usr/bin/python3 "$here/close_window.py" "$preview"
  wait "$pid" || fail "the program ended with an error"
  [ -z "$(ls "$out/tmp")" ] || fail "left in the temporary folder: $(ls "$out/tmp")"
  rm -f "$out/now.png"
  echo "main road passed; screenshots in $out"
' road "$program" "$out" "$here"
