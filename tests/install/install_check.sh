#!/bin/sh
# Installs the build into a private DESTDIR and checks the result as a desktop would use it:
# the layout (programs and cursor in the program folder, links in bin, icon in hicolor), the
# desktop entry and AppStream metadata under their validators, and both programs started
# through their links in bin: quillora-cli generates a workbook, draws and prints it (through
# the drawing program beside it) and reads its amounts back under two regional settings (the
# second through its regional settings module);
# quillora, started as the desktop entry starts it (Exec=quillora %f) on that workbook, looks
# for its cursor and skin in the program folder and shows its window.
# Usage: tests/install/install_check.sh BUILD_FOLDER WORK_FOLDER
set -eu
build=$(realpath "$1")
work=$(realpath -m "$2")
root=$work/root
id=example.quillora.Quillora
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log"

for file in usr/lib/quillora/quillora usr/lib/quillora/quillora-cli usr/lib/quillora/quillora-cli-draw \
            usr/lib/quillora/quillora-cli-regional.so usr/lib/quillora/HAND-M.CUR \
            usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
            usr/share/icons/hicolor/256x256/apps/$id.png usr/share/quillora/skins/sample.qss \
            usr/share/doc/quillora/README.md; do
  [ -f "$root/$file" ] || fail "not installed: /$file"
done
for program in quillora quillora-cli; do
  [ "$(readlink "$root/usr/bin/$program")" = "../lib/quillora/$program" ] ||
    fail "/usr/bin/$program is not a link to ../lib/quillora/$program"
done
file "$root/usr/share/icons/hicolor/256x256/apps/$id.png" | grep -q "PNG image data, 256 x 256" ||
  fail "the icon is not a 256 x 256 PNG"

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx "Exec=quillora %f" "$root/usr/share/applications/$id.desktop" || fail "Exec line"
grep -qx "Categories=Office;Finance;" "$root/usr/share/applications/$id.desktop" || fail "Categories line"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }

export XDG_RUNTIME_DIR="$work/runtime" HOME="$work" QT_QPA_PLATFORM=offscreen
"$root/usr/bin/quillora-cli" generate --sample --output "$work/budget.xls" || fail "installed quillora-cli generate"
"$root/usr/bin/quillora-cli" amounts --from "$work/budget.xls" >"$work/amounts.csv" || fail "installed quillora-cli amounts --from"
[ "$(wc -l <"$work/amounts.csv")" = 72 ] || fail "amounts --from printed $(wc -l <"$work/amounts.csv") lines"
LC_ALL=de_DE.UTF-8 "$root/usr/bin/quillora-cli" amounts --from "$work/budget.xls" >"$work/amounts-de.csv" ||
  fail "installed quillora-cli amounts --from under de_DE"
grep -qx 'Apparel,Engagement ring,"225,00","226,00"' "$work/amounts-de.csv" ||
  fail "amounts --from under de_DE: $(sed -n 2p "$work/amounts-de.csv")"
"$root/usr/bin/quillora-cli" render "$work/budget.xls" --output "$work/budget.png" || fail "installed quillora-cli render"
"$root/usr/bin/quillora-cli" pdf "$work/budget.xls" --output "$work/budget.pdf" || fail "installed quillora-cli pdf"
file "$work/budget.png" | grep -q "PNG image data" || fail "render wrote no PNG picture"
head -c 5 "$work/budget.pdf" | grep -q "%PDF-" || fail "pdf wrote no PDF"
[ ! -e "$root/usr/bin/quillora-cli-draw" ] || fail "the drawing program has a link in bin"

# The desktop entry's command, with the workbook for %f, through the link in bin.
QUILLORA_EXIT_WHEN_SHOWN=1 timeout 60 strace -f -qq -e trace=%file -o "$work/trace" \
  "$root/usr/bin/quillora" "$work/budget.xls" || fail "installed quillora did not start and end cleanly"
for file in HAND-M.CUR x/o.cjs; do
  grep -q "\"$root/usr/lib/quillora/$file\"" "$work/trace" || fail "quillora did not look for $file in its program folder"
done
echo "install check passed in $root"
