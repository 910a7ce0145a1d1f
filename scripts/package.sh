#!/usr/bin/env bash
# Builds the Debian package build/quillora_<version>_<arch>.deb with CPack from the optimised
# build in build/default (installing what is missing), then checks it: its file list
# (dpkg-deb -c) holds the programs and the two parts quillora-cli starts, their links, the
# cursor, the desktop entry, the metadata and the icon; its dependencies are declared; the
# validators accept the desktop entry and the metadata as packaged.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake -S . -B build/default -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WERROR=ON >/dev/null
cmake --build build/default -j "$(nproc)" --target quillora quillora-cli quillora-cli-draw quillora-cli-regional
rm -rf build/package && mkdir -p build/package
(cd build/default && cpack -G DEB -B "$PWD/../package" >/dev/null)
deb=$(ls build/package/quillora_*.deb)
rm -f build/quillora_*.deb
mv "$deb" build/
deb=build/$(basename "$deb")

fail() { echo "FAIL: $*" >&2; exit 1; }
id=example.quillora.Quillora
dpkg-deb -c "$deb" >build/package/contents.txt
for entry in ./usr/lib/quillora/quillora ./usr/lib/quillora/quillora-cli ./usr/lib/quillora/quillora-cli-draw \
             ./usr/lib/quillora/quillora-cli-regional.so ./usr/lib/quillora/HAND-M.CUR \
             "./usr/bin/quillora -> ../lib/quillora/quillora" "./usr/bin/quillora-cli -> ../lib/quillora/quillora-cli" \
             ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
             ./usr/share/icons/hicolor/256x256/apps/$id.png ./usr/share/quillora/skins/sample.qss; do
  grep -qF -- " $entry" build/package/contents.txt || fail "$deb lacks $entry"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libpng16-16 qt6-qpa-plugins fonts-liberation2 \
              fonts-urw-base35 fonts-dejavu-core fonts-wine; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -x "$deb" build/package/root
desktop-file-validate build/package/root/usr/share/applications/$id.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net build/package/root/usr/share/metainfo/$id.metainfo.xml >/dev/null ||
  fail "appstreamcli validate"
echo "built and checked $deb"
echo "Depends: $depends"
