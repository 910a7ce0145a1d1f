#!/usr/bin/env bash
# Installs the Debian packages a task needs that are not installed yet.
# Usage: scripts/deps.sh run|package|test
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-urw-base35 fonts-dejavu-core fonts-wine
)
package_packages=(
  dpkg-dev desktop-file-utils appstream
)
test_packages=(
  clang libclang-rt-14-dev clang-format
  python3 python3-xlrd python3-olefile gnumeric libreoffice-calc-nogui poppler-utils
  xvfb xauth xdotool imagemagick time strace python3-xlib
)

wanted=("${run_packages[@]}")
case "${1:-run}" in
  package) wanted+=("${package_packages[@]}") ;;
  test) wanted+=("${package_packages[@]}" "${test_packages[@]}") ;;
esac

missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
