#!/usr/bin/env bash
# Proves that quillora-cli of the working tree writes what quillora-cli of BASE_COMMIT writes:
#   compare_outputs.sh BASE_COMMIT [--build DIR] [--corpus DIR]
# BASE_COMMIT's quillora-cli is built (that target only) from a temporary worktree under
# build/compare-<commit>/; the working tree's comes from DIR (default build/default, built
# if needed). Both then run, each in a folder of its own with the same relative output
# names: `template`, `generate --sample --output --picture`, and `set FILE OUT A1=1` on every
# workbook of the corpus (default ../shared/corpus/xls). Outputs are compared byte for byte;
# where a command fails, its exit status and message are compared instead. One line per
# difference, then a summary line; exit 1 on any difference or when a build fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

usage() { echo "usage: $0 BASE_COMMIT [--build DIR] [--corpus DIR]" >&2; exit 2; }
[ $# -ge 1 ] || usage
base=$(git rev-parse --verify --quiet "$1^{commit}") || { echo "$1: no such commit" >&2; exit 2; }
shift
build=build/default
corpus=$root/../shared/corpus/xls
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --corpus) [ $# -ge 2 ] || usage; corpus=$2; shift 2 ;;
    *) usage ;;
  esac
done
[ -d "$corpus" ] || { echo "$corpus: no corpus folder" >&2; exit 2; }

short=${base:0:7}
place=build/compare-$short
created_worktree=0
cleanup() {
  if [ "$created_worktree" = 1 ]; then git worktree remove --force "$place/src" || true; fi
}
trap cleanup EXIT

# The base version: its own worktree and build folder, quillora-cli only.
if [ ! -e "$place/src/.git" ]; then
  mkdir -p "$place"
  git worktree add --detach "$place/src" "$base" >/dev/null
  created_worktree=1
elif [ "$(git -C "$place/src" rev-parse HEAD)" != "$base" ]; then
  echo "$place/src holds another commit; remove it first" >&2
  exit 2
fi
cmake -S "$place/src" -B "$place/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$place/build" -j "$(nproc)" --target quillora-cli >/dev/null
base_cli=$root/$place/build/cli/quillora-cli

# The working tree's version.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target quillora-cli >/dev/null
new_cli=$(cd "$build" && pwd)/cli/quillora-cli

work=$root/$place/runs
rm -rf "$work"
mkdir -p "$work/base" "$work/new"
export QT_QPA_PLATFORM=offscreen

# run <label> <args...>: runs both programs in their folders; stdout, stderr and the exit
# status go to <label>.out, <label>.err and <label>.status there.
run() {
  local label=$1; shift
  local side cli
  for side in base new; do
    cli=$base_cli; [ "$side" = new ] && cli=$new_cli
    (cd "$work/$side" && { "$cli" "$@" >"$label.out" 2>"$label.err"; echo $? >"$label.status"; } || true)
  done
}

compared=0 same=0 differ=0 refused=0
report() { echo "differs: $*"; differ=$((differ + 1)); }

# same_file <relative path> <what>
same_file() {
  compared=$((compared + 1))
  if [ ! -e "$work/base/$1" ] && [ ! -e "$work/new/$1" ]; then
    report "$2: neither version wrote $1"
  elif ! cmp -s "$work/base/$1" "$work/new/$1"; then
    report "$2: $1 is not the same"
  else
    same=$((same + 1))
  fi
}

# same_run <label> <outputs...>: the exit status and messages agree; on success the outputs too.
same_run() {
  local label=$1; shift
  local status
  status=$(cat "$work/base/$label.status")
  if [ "$status" != "$(cat "$work/new/$label.status")" ]; then
    compared=$((compared + 1))
    report "$label: exit status $status before, $(cat "$work/new/$label.status") now"
    return
  fi
  if ! cmp -s "$work/base/$label.err" "$work/new/$label.err" || ! cmp -s "$work/base/$label.out" "$work/new/$label.out"; then
    compared=$((compared + 1))
    report "$label: messages differ"
    return
  fi
  if [ "$status" != 0 ]; then
    compared=$((compared + 1)) same=$((same + 1)) refused=$((refused + 1))
    return
  fi
  local output
  for output in "$@"; do same_file "$output" "$label"; done
}

run template template template.xlt
same_run template template.xlt
run generate generate --sample --output sample.xls --picture sample.png
same_run generate sample.xls sample.png

files=0
for file in "$corpus"/*.xls; do
  name=$(basename "$file" .xls)
  run "set-$name" set "$file" "set-$name.xls" A1=1
  same_run "set-$name" "set-$name.xls"
  files=$((files + 1))
done

echo "compare_outputs: $compared outputs of $short and the working tree compared ($files corpus workbooks):" \
     "$same identical ($refused refused by both with the same message), $differ differ"
[ "$differ" = 0 ]
