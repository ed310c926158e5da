#!/usr/bin/env bash
# Times the start of the calculator to its first mapped window against a bare Qt Widgets
# window with a similar set of controls (bench/BareWindow.cpp, built by the same
# toolchain), side by side under one X server, the two started in turns.
#   xvfb-run -s "-screen 0 1280x800x24" bench/startup.sh [build-dir] [runs]
#   xvfb-run -s "-screen 0 1280x800x24" bench/startup.sh --instructions [build-dir]
# For each program: the median of the milliseconds from the exec to the map with its
# interquartile range and the least, the processor time used by then and the resident size;
# then the ratios. --instructions counts instead, under callgrind, the instructions each
# program executes up to that moment (one run each: the count hardly varies), which does not
# depend on what else the machine is doing.
set -euo pipefail
instructions=0
if [[ "${1:-}" == "--instructions" ]]; then
    instructions=1
    shift
fi
build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
[[ -n "${DISPLAY:-}" ]] || { echo "needs a display; run it under xvfb-run" >&2; exit 1; }
timer=$build/bench/mx_window_timer
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
"$build/tools/mirvalex-initdata" "$run_dir" >/dev/null

bare=("Bare window" "$build/bench/mx_bare_window")
calc=("Mirvalex  1.0 " "$build/src/mirvalex")

# One start: "milliseconds cpu-milliseconds rss-KiB". Under load Xvfb now and then refuses a
# connection; such a start is repeated, up to twice.
one_start() {
    local attempt rc
    for attempt in 1 2 3; do
        rc=0
        (cd "$run_dir" && "$timer" "$@" 2>"$run_dir/stderr") || rc=$?
        [[ $rc -eq 0 ]] && return 0
        grep -qE "cannot open the display|could not connect to display" "$run_dir/stderr" || break
    done
    echo "no window \"$1\" from $2:" >&2
    cat "$run_dir/stderr" >&2
    exit 1
}

if [[ $instructions -eq 1 ]]; then
    command -v valgrind >/dev/null || { echo "needs valgrind" >&2; exit 1; }
    count() {
        rm -f "$run_dir"/cg.*
        one_start --dump "$1" valgrind --tool=callgrind "--callgrind-out-file=$run_dir/cg.%p" \
            "${@:2}" >/dev/null
        # The dump at the map is the file with a part number.
        awk '/^summary:/ {print $2}' "$run_dir"/cg.*.1
    }
    b=$(count "${bare[@]}")
    c=$(count "${calc[@]}")
    awk -v b="$b" -v c="$c" 'BEGIN {
        printf "bare window: %.1f M instructions to the first mapped window\n", b / 1e6
        printf "mirvalex:    %.1f M instructions\n", c / 1e6
        printf "ratio: %.2f\n", c / b }'
    exit 0
fi

: >"$run_dir/bare"
: >"$run_dir/calc"
for ((i = 0; i < runs; i++)); do
    one_start "${bare[@]}" >>"$run_dir/bare"
    one_start "${calc[@]}" >>"$run_dir/calc"
done

# Median, quartiles and least value of column $2 of file $1 (nearest rank).
stats() {
    cut -d' ' -f"$2" "$1" | sort -n | awk '{a[NR] = $1} END {
        q = int((NR + 3) / 4); m = int((NR + 1) / 2); t = NR + 1 - q
        printf "%s %s %s %s\n", a[m], a[q], a[t], a[1] }'
}
# On a busy machine the median mostly measures the wait for a processor; the least time
# and the processor time used are what the program itself costs.
report() {
    local t c r
    read -r t tq1 tq3 tmin < <(stats "$2" 1)
    read -r c _ _ _ < <(stats "$2" 2)
    read -r r _ _ _ < <(stats "$2" 3)
    printf "%-12s median %6.1f ms (quartiles %.1f-%.1f, least %.1f), processor %.1f ms, RSS %.1f MiB\n" \
        "$1:" "$t" "$tq1" "$tq3" "$tmin" "$c" "$(awk -v k="$r" 'BEGIN {print k / 1024}')"
    eval "$3=\"$t $tmin $c\""
}
report "bare window" "$run_dir/bare" b
report "mirvalex" "$run_dir/calc" m
awk -v b="$b" -v m="$m" -v n="$runs" 'BEGIN { split(b, x, " "); split(m, y, " ")
    printf "ratio: %.2f of the medians, %.2f of the least, %.2f of the processor times (%d starts each, in turns)\n",
        y[1] / x[1], y[2] / x[2], y[3] / x[3], n }'

# Where the calculator's time goes: each stage's median over the same number of cold starts.
if [[ -x "$build/bench/mx_startup_split" ]]; then
    splits=$(for ((i = 0; i < runs; i++)); do "$build/bench/mx_startup_split" "$run_dir" 2>/dev/null; done)
    for stage in app data font window show total; do
        m=$(awk -v s="$stage" '{for (i = 1; i < NF; i++) if ($i == s) print $(i + 1)}' <<<"$splits" |
            sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
        echo "stage $stage: median ${m} ms"
    done
fi
