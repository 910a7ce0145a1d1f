#!/bin/sh
# The real program under a virtual X server with no window manager, driven by mouse and keys:
#  - a wheel turn over the entry window's fields moves the panel;
#  - abc, Tab, Return (closing the message), xyz, Tab is refused twice, although the window
#    system takes the keyboard focus from the program when the first message closes, and
#    the workbook holds the amount 0 where the refused texts were typed;
#  - a wheel turn over the preview's picture moves it, and a click on the vertical bar's
#    track moves it by at least half the viewport (491 px).
# Usage: tests/gui/wheel_and_refusal.sh PROGRAM CLI OUTPUT_FOLDER
set -eu
# The program draws on the virtual X server whatever display platform the caller names.
export QT_QPA_PLATFORM=xcb LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
program=$(realpath "$1")
cli=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
rm -rf "$out" && mkdir -p "$out/tmp" && chmod 700 "$out/tmp"
exec timeout 150 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  set -eu
  program=$1 cli=$2 out=$3 here=$4
  . "$here/screen.sh"
  windows() { xdotool search --onlyvisible --name "^Quillora\$" 2>/dev/null | wc -l; }
  shown() { [ "$(windows)" = "$1" ]; }
  # Closes the message box with Return, typed with the pointer over it, and puts the pointer
  # back over the entry window background.
  close_message() {
    box=$(xdotool search --onlyvisible --name "^Quillora\$" | grep -v "^$form1\$" | head -n 1)
    xdotool mousemove --window "$box" 20 20 key Return
    until_true shown 1 || fail "the message did not close"
    xdotool mousemove --window "$form1" 300 73
  }

  TEMP=$out/tmp HOME=$out "$program" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  until_true drawn || fail "the entry window was not drawn"
  shot form1
  xdotool mousemove --window "$form1" 420 300 click 5        # wheel down over the fields
  until_true differs "$out/form1.png" || fail "the wheel over the fields did not move them"
  shot form1-wheel
  xdotool click 4                                             # and back up
  until_true differs "$out/form1-wheel.png" || fail "the wheel up did not move the fields back"

  xdotool mousemove --window "$form1" 300 73 click 1          # the window background
  xdotool key Tab type abc
  xdotool key Tab
  until_true shown 2 || fail "abc was not refused"
  close_message
  xdotool type xyz
  xdotool key Tab
  until_true shown 2 || fail "xyz was not refused after the first message closed"
  close_message
  shot form1-refused
  xdotool mousemove --window "$form1" 308 21 click 1          # Start Creating Template
  until_true shown 1 || fail "a message showed instead of the preview"
  until_true differs "$out/form1-refused.png" || fail "the preview was not drawn"
  workbook=$(run_workbook | head -n 1)
  [ -n "$workbook" ] || fail "no temporary workbook: $(find "$out/tmp")"
  "$cli" dump "$workbook" > "$out/workbook.txt"
  grep -q "^B9	number	0	" "$out/workbook.txt" || fail "B9 is not the amount 0: $(grep "^B9	" "$out/workbook.txt")"
  ! grep -qi "xyz\|abc" "$out/workbook.txt" || fail "typed text reached the workbook: $(grep -i "xyz\|abc" "$out/workbook.txt")"
  "$cli" render "$workbook" --output "$out/sheet.png"

  preview=$(xdotool search --onlyvisible --name "^Quillora\$" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$preview")"
  left=$((X + 10)) top=$((Y + 10))                            # the viewport inside its border
  shot preview
  xdotool mousemove --window "$preview" 300 250 click 5       # wheel down over the picture
  until_true differs "$out/preview.png" || fail "the wheel over the picture did not move it"
  shot preview-wheel
  before=$(/usr/bin/python3 "$here/sheet_offset.py" "$out/preview-wheel.png" $left $top "$out/sheet.png")
  [ "$before" -gt 0 ] || fail "the wheel did not move the picture down the sheet"
  xdotool mousemove --window "$preview" 638 480 click 1       # the vertical track, below the thumb
  until_true differs "$out/preview-wheel.png" || fail "the click on the track moved nothing"
  shot preview-paged
  after=$(/usr/bin/python3 "$here/sheet_offset.py" "$out/preview-paged.png" $left $top "$out/sheet.png")
  [ $((after - before)) -ge 245 ] || fail "the track click moved the picture $((after - before)) px (from $before)"
  kill "$pid"
  rm -f "$out/now.png"
  echo "wheel and refusal passed: wheel $before px, page $((after - before)) px; screenshots in $out"
' wheel "$program" "$cli" "$out" "$here"
