#!/usr/bin/env bash
# Starts the calculator from its run folder (build/run), which holds its data files.
set -euo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$root/$build_dir/run"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    cat >&2 <<'MSG'
Mirvalex is a desktop program and needs a display, but neither DISPLAY nor WAYLAND_DISPLAY
is set. On a machine without a screen, run it under a virtual X server:

    xvfb-run -s "-screen 0 1280x800x24" make run
MSG
    exit 1
fi

mkdir -p "$run_dir"
if [[ -x "$root/$build_dir/tools/mirvalex-initdata" && ! -e "$run_dir/Data" ]]; then
    "$root/$build_dir/tools/mirvalex-initdata" "$run_dir"
fi
cd "$run_dir"
exec "$root/$build_dir/src/mirvalex"
