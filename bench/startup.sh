#!/usr/bin/env bash
# Times the start of the calculator to its first shown window against a bare Qt Widgets
# window with a similar set of controls, side by side under one X server.
#   xvfb-run -s "-screen 0 1280x800x24" bench/startup.sh [build-dir] [runs]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-10}
command -v xdotool >/dev/null || { echo "needs xdotool (apt-get install xdotool)" >&2; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "needs a display; run it under xvfb-run" >&2; exit 1; }

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
"$build/tools/mirvalex-initdata" "$run_dir" >/dev/null

# Milliseconds from the start of a program to the mapping of a window with that title.
# Under load Xvfb now and then refuses a connection; such a run is repeated, up to twice.
time_to_window() {
    local attempt
    for attempt in 1 2 3; do
        if one_start "$@"; then return 0; fi
        grep -q "could not connect to display" "$run_dir/stderr" || break
        echo "X server refused $2; starting it again" >&2
    done
    echo "no window \"$1\" from $2:" >&2
    cat "$run_dir/stderr" >&2
    exit 1
}

one_start() {
    local title=$1; shift
    local start end pid
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$run_dir/stderr" &
    pid=$!
    # Polled every ten milliseconds: xdotool's own --sync waits half a second between looks.
    # A program that ends or shows nothing within ten seconds fails the run instead of hanging.
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null || (( ($(date +%s%N) - start) > 10000000000 )); then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            return 1
        fi
        sleep 0.01
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

bare=(); calc=()
for ((i = 0; i < runs; i++)); do
    bare+=("$(time_to_window "Bare window" "$build/bench/mx_bare_window")")
    calc+=("$(cd "$run_dir" && time_to_window "Mirvalex" "$build/src/mirvalex")")
done
b=$(printf '%s\n' "${bare[@]}" | median)
c=$(printf '%s\n' "${calc[@]}" | median)
echo "bare window: median ${b} ms (${bare[*]})"
echo "mirvalex:    median ${c} ms (${calc[*]})"
awk -v b="$b" -v c="$c" 'BEGIN { printf "ratio: %.2f\n", c / b }'

# Where the calculator's time goes: each stage's median over the same number of cold starts.
if [[ -x "$build/bench/mx_startup_split" ]]; then
    splits=$(for ((i = 0; i < runs; i++)); do "$build/bench/mx_startup_split" "$run_dir" 2>/dev/null; done)
    for stage in app data font window show total; do
        m=$(awk -v s="$stage" '{for (i = 1; i < NF; i++) if ($i == s) print $(i + 1)}' <<<"$splits" | median)
        echo "stage $stage: median ${m} ms"
    done
fi
