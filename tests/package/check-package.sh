#!/usr/bin/env bash
# Builds the Debian packages from the build folder into a folder of their own, checks their
# contents and control fields, then runs lintian and the AppStream validator where they are
# installed: any error or warning fails.
set -euo pipefail
build_dir=$1
homepage=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
arch=$(dpkg --print-architecture)
deb=$(ls "$out"/mirvalex_*_"$arch".deb 2>/dev/null) || { ls "$out"; echo "no mirvalex_*_$arch.deb"; exit 1; }
ddeb=$(ls "$out"/mirvalex-dbgsym_*_"$arch".ddeb 2>/dev/null) || { ls "$out"; echo "no dbgsym package"; exit 1; }

failed=0
fail() { echo "$*"; failed=1; }

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/mirvalex ./usr/bin/mirvalex-initdata ./usr/bin/mirvalex-launch \
    ./usr/share/mirvalex/help/index.html ./usr/share/mirvalex/help/40000.html \
    ./usr/share/applications/org.example.mirvalex.desktop \
    ./usr/share/metainfo/org.example.mirvalex.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/mirvalex.svg \
    ./usr/share/man/man1/mirvalex.1.gz ./usr/share/man/man1/mirvalex-initdata.1.gz \
    ./usr/share/man/man1/mirvalex-launch.1.gz \
    ./usr/share/doc/mirvalex/copyright ./usr/share/doc/mirvalex/changelog.gz; do
    grep -q " $path\$" <<<"$contents" || fail "missing from the package: $path"
done

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == mirvalex ]] || fail "wrong Package field: $(field Package)"
[[ "$(field Section)" == math ]] || fail "wrong Section field: $(field Section)"
[[ "$(field Homepage)" == "$homepage" ]] || fail "Homepage is '$(field Homepage)', not $homepage"
for lib in libqt6widgets6 libsqlcipher; do
    grep -q "$lib" <<<"$(field Depends)" || fail "Depends lacks $lib: $(field Depends)"
done
# The synopsis and each line of the extended description fit in 80 columns; no line starts
# with a stray list separator.
while IFS= read -r line; do
    ((${#line} <= 80)) || fail "description line longer than 80 columns: $line"
    [[ "$line" != " ;"* ]] || fail "description line starts with ';': $line"
done <<<"$(field Description)"

# The programs are stripped; their debug information is in the dbgsym package, one file each.
dpkg-deb -x "$deb" "$out/root"
for program in mirvalex mirvalex-initdata; do
    file -b "$out/root/usr/bin/$program" | grep -q ', stripped' || fail "usr/bin/$program is not stripped"
done
debug_files=$(dpkg-deb -c "$ddeb" | grep -c '/usr/lib/debug/.build-id/.*\.debug$' || true)
[[ "$debug_files" -eq 2 ]] || fail "the dbgsym package holds $debug_files debug files, not 2"

if command -v lintian >/dev/null; then
    # Root is warned against but fine for reading a package; that notice is not a finding.
    lintian --fail-on error,warning "$deb" "$ddeb" 2> >(grep -v 'running with root privileges' >&2) ||
        fail "lintian reports errors or warnings"
else
    echo "lintian is not installed: not run"
fi
if command -v appstreamcli >/dev/null; then
    # The whole tree: the metainfo, and the desktop entry its launchable names.
    appstreamcli validate-tree --no-net --strict "$out/root" >"$out/as.log" 2>&1 ||
        { cat "$out/as.log"; fail "the AppStream metainfo does not validate"; }
else
    echo "appstreamcli is not installed: not run"
fi
[[ $failed -eq 0 ]] && echo "1 passed, 0 failed" || { echo "0 passed, 1 failed"; exit 1; }
