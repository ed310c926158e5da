#!/usr/bin/env bash
# Builds the Debian package from the build folder into a folder of its own, then checks its
# contents and its control fields.
set -euo pipefail
build_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/mirvalex_*_*.deb)
case "$(basename "$deb")" in
    mirvalex_*_"$(dpkg --print-architecture)".deb) ;;
    *) echo "unexpected package name: $deb"; exit 1 ;;
esac
contents=$(dpkg-deb -c "$deb")
failed=0
for path in ./usr/bin/mirvalex ./usr/bin/mirvalex-initdata ./usr/bin/mirvalex-launch \
    ./usr/share/mirvalex/help/index.html ./usr/share/mirvalex/help/40000.html \
    ./usr/share/applications/mirvalex.desktop \
    ./usr/share/icons/hicolor/scalable/apps/mirvalex.svg; do
    grep -q " $path\$" <<<"$contents" || { echo "missing from the package: $path"; failed=1; }
done
[[ "$(dpkg-deb -f "$deb" Package)" == mirvalex ]] || { echo "wrong Package field"; failed=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libsqlcipher; do
    grep -q "$lib" <<<"$depends" || { echo "Depends lacks $lib: $depends"; failed=1; }
done
[[ $failed -eq 0 ]] && echo "1 passed, 0 failed" || { echo "0 passed, 1 failed"; exit 1; }
