#!/bin/sh
# A saved budget in the real program under a virtual X server: `quillora BUDGET.xls` starts
# with the fields filled, and "Start Creating Template" (clicked with the mouse) gives a
# workbook whose amounts `quillora-cli amounts --from` reads back the same as the saved one.
# Usage: tests/gui/open_budget.sh PROGRAM CLI OUTPUT_FOLDER
set -eu
program=$(realpath "$1")
cli=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
rm -rf "$out" && mkdir -p "$out/tmp" && chmod 700 "$out/tmp"
export LC_ALL=en_US.UTF-8 TEMP="$out/tmp" HOME="$out"

# A budget with negative and fractional amounts, saved as a workbook.
QT_QPA_PLATFORM=offscreen "$cli" amounts --sample |
  awk -F, 'NR == 1 { print; next } { $3 = NR * 1.25; $4 = -(NR * 3 + 0.07); print }' OFS=, >"$out/amounts.csv"
QT_QPA_PLATFORM=offscreen "$cli" generate --amounts "$out/amounts.csv" --output "$out/saved.xls"
QT_QPA_PLATFORM=offscreen "$cli" amounts --from "$out/saved.xls" >"$out/saved.csv"

exec timeout 120 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  set -eu
  program=$1 cli=$2 out=$3 here=$4
  fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
  visible() { xdotool search --onlyvisible --name "^Quillora\$" 2>/dev/null || true; }
  until_true() { i=0; until "$@"; do i=$((i + 1)); [ $i -lt 100 ] || return 1; xdotool sleep 0.1; done; }
  only_preview() { set -- $(visible); [ $# -eq 1 ] && xdotool getwindowgeometry "$1" | grep -q "656x623"; }
  workbook_written() { ls "$out/tmp" | grep -q "^tamrel[1-9]\{8\}\.xls\$"; }

  "$program" "$out/saved.xls" &
  pid=$!
  form1=$(xdotool search --sync --onlyvisible --name "^Quillora\$" | head -n 1)
  import -window root "$out/form1.png"
  xdotool mousemove --window "$form1" 308 21 click 1          # Start Creating Template
  until_true only_preview || fail "the preview did not replace the entry window"
  until_true workbook_written || fail "no temporary workbook while the preview shows"
  workbook=$(ls "$out/tmp" | grep "^tamrel[1-9]\{8\}\.xls\$")
  QT_QPA_PLATFORM=offscreen "$cli" amounts --from "$out/tmp/$workbook" >"$out/generated.csv" ||
    fail "the generated workbook does not read back"
  /usr/bin/python3 "$here/close_window.py" "$(visible)"
  wait "$pid" || fail "the program ended with an error"
  cmp -s "$out/saved.csv" "$out/generated.csv" ||
    fail "the amounts differ: $(diff "$out/saved.csv" "$out/generated.csv" | head -n 5)"
  grep -q "^Apparel,Engagement ring,2.50,-6.07\$" "$out/generated.csv" || fail "unexpected first row"
  echo "open budget passed; the entry window is in $out/form1.png"
' open-budget "$program" "$cli" "$out" "$here"
