#!/usr/bin/env bash
# Runs a command with accessibility on, as under a screen reader: a D-Bus session bus of its
# own, the accessibility bus started on it as a desktop session starts it, and Qt's AT-SPI
# bridge always on. Exits 77, "skipped", where the buses cannot start.
set -uo pipefail
command -v dbus-run-session >/dev/null || { echo "no dbus-run-session here: skipped"; exit 77; }
if [[ -z "${MX_WITH_ACCESSIBILITY:-}" ]]; then
    MX_WITH_ACCESSIBILITY=1 exec dbus-run-session -- "$0" "$@"
fi
# Qt only watches for the accessibility bus; it does not start it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 || { echo "no accessibility bus here: skipped"; exit 77; }
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$@"
