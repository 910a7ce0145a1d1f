#!/usr/bin/env bash
# Builds and runs every test in three flavours, installing what is missing:
#   default   - optimised build, the whole suite including the interop checks;
#   sanitize  - AddressSanitizer + UndefinedBehaviorSanitizer over the whole suite;
#   fuzz      - clang build of the libFuzzer targets, each run from its seed corpus;
# then builds the Debian package from the default flavour and checks it (scripts/package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)
status=0

flavour() {
  local name=$1; shift
  echo "=== $name ==="
  cmake -S . -B "build/$name" -G Ninja "$@" >/dev/null
  cmake --build "build/$name" -j "$jobs"
  (cd "build/$name" && ctest --output-on-failure -j "$jobs") || status=1
}

flavour default -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WERROR=ON
flavour sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_WERROR=ON
flavour fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLORA_CORE_ONLY=ON -DQUILLORA_FUZZ=ON -DQUILLORA_WERROR=ON
echo "=== package ==="
bash scripts/package.sh || status=1
exit $status
