#!/bin/sh
# Screenshots of the entry window under a virtual X server, one per scroll position.
# Usage: tests/gui/screenshot_form1.sh [build folder] [output folder] [locale]
# The program runs under xvfb-run; ImageMagick's `import -window root` grabs the screen
# at start (form1-0.png) and after tabbing into the first field of "Gifts",
# "Photography", "Stationery/Printing" and "Other Expenses" (form1-1.png .. form1-4.png),
# which scrolls the panel to each of those categories. Then the program is stopped.
set -eu
# The program draws on the virtual X server whatever display platform the caller names.
export QT_QPA_PLATFORM=xcb
build=${1:-build/default}
out=$(realpath -m "${2:-screenshots}")
locale=${3:-en_US.UTF-8}
program="$(realpath "$build")/app/quillora"
[ -x "$program" ] || { echo "no program at $program; build the target quillora first" >&2; exit 1; }
for tool in xvfb-run import xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, imagemagick, xdotool)" >&2; exit 1; }
done
mkdir -p "$out"
LANG=$locale LC_ALL=$locale xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  program=$1 out=$2
  "$program" &
  pid=$!
  sleep "${QUILLORA_SCREENSHOT_WAIT:-3}"
  window=$(xdotool search --sync --name "^Quillora\$" | head -n 1)
  xdotool windowfocus --sync "$window" || true
  import -window root "$out/form1-0.png"
  shot=1
  # Tabs from the start to the first field of each category that scrolls the panel.
  for tabs in 35 28 30 28; do
    xdotool key --delay 15 --repeat "$tabs" Tab
    sleep 1
    import -window root "$out/form1-$shot.png"
    shot=$((shot + 1))
  done
  kill "$pid"
' screenshot "$program" "$out"
echo "wrote $out/form1-0.png .. form1-4.png"
