#!/bin/sh
# Saved budgets in the real program under a virtual X server:
#   1. `quillora BUDGET.xls` starts with the fields filled;
#   2. `quillora` started empty, with an amounts file dragged and dropped onto the window
#      (the drag-and-drop protocol, as a file manager speaks it), fills the fields.
# Each time "Start Creating Template" (clicked with the mouse) gives a workbook whose amounts
# `quillora-cli amounts --from` reads back the same as the budget's.
# Usage: tests/gui/open_budget.sh PROGRAM CLI OUTPUT_FOLDER
set -eu
program=$(realpath "$1")
cli=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
rm -rf "$out" && mkdir -p "$out/tmp" && chmod 700 "$out/tmp"
export LC_ALL=en_US.UTF-8 TEMP="$out/tmp" HOME="$out"
# The program draws on the virtual X server whatever display platform the caller names.
export QT_QPA_PLATFORM=xcb

# A budget with negative and fractional amounts, as an amounts file and as a saved workbook.
QT_QPA_PLATFORM=offscreen "$cli" amounts --sample |
  awk -F, 'NR == 1 { print; next } { $3 = NR * 1.25; $4 = -(NR * 3 + 0.07); print }' OFS=, >"$out/amounts.csv"
QT_QPA_PLATFORM=offscreen "$cli" generate --amounts "$out/amounts.csv" --output "$out/saved.xls"
QT_QPA_PLATFORM=offscreen "$cli" amounts --from "$out/saved.xls" >"$out/saved.csv"
grep -q "^Apparel,Engagement ring,2.50,-6.07\$" "$out/saved.csv" || { echo "FAIL: unexpected budget" >&2; exit 1; }

exec timeout 150 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  set -eu
  program=$1 cli=$2 out=$3 here=$4
  . "$here/screen.sh"
  workbook_written() { run_workbook >/dev/null; }

  # "Start Creating Template" in the entry window $form1; the workbook it gives must hold
  # the saved budget'"'"'s amounts. Closes the preview, which ends the program.
  generate_and_compare() {
    xdotool mousemove --window "$form1" 308 21 click 1
    until_true only_preview || fail "$1: the preview did not replace the entry window"
    until_true workbook_written || fail "$1: no temporary workbook while the preview shows"
    workbook=$(run_workbook)
    QT_QPA_PLATFORM=offscreen "$cli" amounts --from "$workbook" >"$out/$1.csv" ||
      fail "$1: the generated workbook does not read back"
    /usr/bin/python3 "$here/close_window.py" "$(visible)"
    wait "$pid" || fail "$1: the program ended with an error"
    cmp -s "$out/saved.csv" "$out/$1.csv" || fail "$1: the amounts differ: $(diff "$out/saved.csv" "$out/$1.csv" | head -n 5)"
  }

  "$program" "$out/saved.xls" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  until_true drawn || fail "the entry window was not drawn"
  import -window root "$out/started-with-budget.png"
  generate_and_compare started-with-budget

  "$program" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  until_true drawn || fail "the empty entry window was not drawn"
  import -window root "$out/empty.png"
  /usr/bin/python3 "$here/drop_file.py" "$form1" 420 165 "$out/amounts.csv" || fail "the drop did not go through"
  until_true differs "$out/empty.png" || fail "the dropped amounts did not show"
  import -window root "$out/dropped.png"
  generate_and_compare dropped
  rm -f "$out/now.png"
  echo "open budget passed; screenshots in $out"
' open-budget "$program" "$cli" "$out" "$here"
