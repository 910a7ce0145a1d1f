#!/usr/bin/env bash
# Fails when a changed C++ line is not formatted as .clang-format says; prints the diff.
# Only changed lines are checked, so older code is reformatted when it is next touched.
#
# What counts as changed:
#   - on a branch other than main, when a main branch is known (main or origin/main): every
#     line changed since the branch left main, committed or not;
#   - otherwise (main itself, a CI checkout with no other branch, a detached HEAD): the
#     uncommitted changes only, so a clean checkout always passes.
# QUILLORA_FORMAT_BASE=<commit> names the base explicitly.
# Usage: scripts/check_format.sh [source folder]
set -euo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
if ! git rev-parse --git-dir >/dev/null 2>&1; then
  echo "check_format: $root is not a git checkout; nothing to check"
  exit 0
fi
command -v clang-format >/dev/null || { echo "check_format: clang-format is not installed" >&2; exit 1; }
command -v git-clang-format >/dev/null || { echo "check_format: git-clang-format is not installed" >&2; exit 1; }

base=${QUILLORA_FORMAT_BASE:-}
if [ -z "$base" ]; then
  base=HEAD
  for main in main origin/main; do
    if git rev-parse --verify -q "$main^{commit}" >/dev/null; then
      fork=$(git merge-base HEAD "$main" || true)
      [ -n "$fork" ] && base=$fork
      break
    fi
  done
fi

out=$(git clang-format --diff --extensions cpp,h "$base" -- . 2>&1) || true
case "$out" in
  "" | *"no modified files to format"* | *"did not modify any files"*)
    echo "check_format: changed lines since $(git rev-parse --short "$base") are formatted"
    exit 0 ;;
esac
echo "$out"
echo "check_format: the lines above are not formatted; run: git clang-format $(git rev-parse --short "$base")" >&2
exit 1
