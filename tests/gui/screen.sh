# Helpers the GUI scripts share, sourced inside their virtual X server session. They use the
# script's $out (output folder) and $pid (the program under test).

fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
# The program's visible top-level windows, one id per line.
visible() { xdotool search --onlyvisible --name "^Quillora\$" 2>/dev/null || true; }
# Polls (at most 15 s) until the command given succeeds.
until_true() { i=0; until "$@"; do i=$((i + 1)); [ $i -lt 150 ] || return 1; xdotool sleep 0.1; done; }
# Only the preview window (656 x 623) is showing.
only_preview() { set -- $(visible); [ $# -eq 1 ] && xdotool getwindowgeometry "$1" | grep -q "656x623"; }
# The screen differs from the picture $1.
differs() { import -window root "$out/now.png"; [ "$(compare -metric AE "$1" "$out/now.png" null: 2>&1 || true)" != 0 ]; }
# The screen shows more than a few colours, so a window has been drawn.
drawn() { import -window root "$out/now.png"; [ "$(convert "$out/now.png" -format %k info:)" -gt 8 ]; }
shot() { import -window root "$out/$1.png"; }
# The temporary workbook of the run, which lies in the run's own folder in $out/tmp.
run_workbook() { find "$out/tmp" -mindepth 2 -maxdepth 2 -type f -name "tamrel*.xls" | grep "/tamrel[1-9]\{8\}\.xls\$"; }
