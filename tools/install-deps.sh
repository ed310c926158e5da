#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and generates the locales the
# tests run under; does nothing when all are present.
set -euo pipefail

packages=(
    g++ make cmake ninja-build pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-gtk-platformtheme libgl-dev fontconfig
    libsqlcipher-dev libssl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils libxcb1-dev openbox fonts-dejavu-core
    dpkg-dev file poppler-utils
    lintian appstream
    locales
    clang libclang-rt-14-dev
    orca python3-pyatspi python3-gi gir1.2-gtk-3.0 at-spi2-core dbus dbus-x11
)
# The window tests run once more under a Russian locale; German users group by ".".
locales=(ru_RU.UTF-8 de_DE.UTF-8)

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Needs root or sudo: $*" >&2
        exit 1
    fi
}

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# `locale -a` names them in lower case without the dash: ru_RU.utf8.
known=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
absent=()
for l in "${locales[@]}"; do
    name=$(tr '[:upper:]' '[:lower:]' <<<"${l/UTF-8/utf8}")
    grep -qx "$name" <<<"$known" || absent+=("$l")
done
if [[ ${#absent[@]} -gt 0 ]]; then
    echo "Generating locales: ${absent[*]}"
    for l in "${absent[@]}"; do
        if grep -q "^# *$l UTF-8" /etc/locale.gen; then
            as_root sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
        elif ! grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null; then
            echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        fi
    done
    as_root locale-gen
fi
