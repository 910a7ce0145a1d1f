#!/usr/bin/env bash
# Builds the optimised flavour and prints the speed table of bench/compare.py, installing
# what is missing (the comparisons need xlrd, Gnumeric's ssconvert and Xvfb). Arguments go to
# compare.py: --quick, --only NAME,..., --list.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build/default -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WERROR=ON >/dev/null
cmake --build build/default -j "$(nproc)" --target quillora quillora-cli quillora-bench quillora-bench-make
exec /usr/bin/python3 bench/compare.py build/default "$@"
