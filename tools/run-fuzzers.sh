#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build tree of their own and runs each for a
# few seconds from its committed corpus (copied, so that the sources stay untouched).
#   tools/run-fuzzers.sh SOURCE_DIR FUZZ_BUILD_DIR [SECONDS]
set -euo pipefail
src=$1
build=$2
seconds=${3:-5}

if [[ ! -f "$build/build.ninja" ]]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DMX_FUZZ=ON -DMX_BUILD_TESTS=OFF -DMX_BUILD_BENCH=OFF \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j2 --target mx_script_fuzzer mx_descriptor_fuzzer >/dev/null

for target in script descriptor; do
    corpus="$build/corpus-$target"
    mkdir -p "$corpus"
    cp -n "$src/tests/fuzz-corpus/$target/"* "$corpus/"
    echo "== mx_${target}_fuzzer, ${seconds} s"
    "$build/mx_${target}_fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
    # libFuzzer ends with a non-zero status on a crash, a leak or a timeout (pipefail).
done
