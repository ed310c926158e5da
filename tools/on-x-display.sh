#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, as on a user's desktop: real activation
# and focus events, real modal dialogs. With --window-manager a small window manager runs on
# the display too (openbox); without it nobody manages the windows. Exits 77, "skipped",
# where Xvfb or the window manager is missing.
set -uo pipefail
wm=
if [[ "${1:-}" == --window-manager ]]; then
    wm=openbox
    shift
fi
command -v xvfb-run >/dev/null || { echo "no xvfb-run here: skipped"; exit 77; }
if [[ -n "$wm" ]] && ! command -v "$wm" >/dev/null; then
    echo "no $wm here: skipped"
    exit 77
fi
if [[ -z "${MX_ON_X_DISPLAY:-}" ]]; then
    MX_ON_X_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" ${wm:+--window-manager} "$@"
fi
if [[ -n "$wm" ]]; then
    "$wm" >/dev/null 2>&1 &
    wm_pid=$!
    trap 'kill $wm_pid 2>/dev/null' EXIT
    # The window manager owns the screen once it has set its check window on the root.
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
fi
QT_QPA_PLATFORM=xcb "$@"
