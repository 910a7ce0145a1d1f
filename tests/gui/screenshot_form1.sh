#!/bin/sh
# Screenshot of the entry window under a virtual X server.
# Usage: tests/gui/screenshot_form1.sh [build folder] [output.png] [locale]
# The program runs under xvfb-run; after it has drawn, ImageMagick's `import` grabs the
# whole screen and the program is stopped.
set -eu
build=${1:-build/default}
out=${2:-form1.png}
locale=${3:-en_US.UTF-8}
program="$build/app/quillora"
[ -x "$program" ] || { echo "no program at $program; build the target quillora first" >&2; exit 1; }
out=$(realpath -m "$out")
LANG=$locale LC_ALL=$locale xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
  "$1" &
  pid=$!
  sleep "${QUILLORA_SCREENSHOT_WAIT:-3}"
  import -window root "$2"
  kill "$pid"
' screenshot "$program" "$out"
echo "wrote $out"
