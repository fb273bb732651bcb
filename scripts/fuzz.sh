#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the libFuzzer targets of the file parsers: scripts/fuzz.sh [seconds-per-target] [target...]
# (default 60 seconds, every target). Builds them with clang into build-fuzz/, starts each from
# its committed corpus in fuzz/corpus/<target>/ and lets new inputs grow in a scratch folder
# outside the repo ($TOVELO_FUZZ_WORK, default $TMPDIR/tovelo2-fuzz). FUZZ_PARALLEL=2 runs two
# targets at a time. Exits non-zero when any target finds a crash, naming the reproducer.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"

all_targets=(records history dictionary kvtml inifile strtoint jpeg wav)
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
parallel="${FUZZ_PARALLEL:-1}"
work="${TOVELO_FUZZ_WORK:-${TMPDIR:-/tmp}/tovelo2-fuzz}"

for target in "${targets[@]}"; do
    [ -d "fuzz/corpus/$target" ] || { echo "Unknown fuzz target: $target" >&2; exit 2; }
done

scripts/install-deps.sh
clang_packages=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${clang_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Optimised a little for speed, with assertions kept.
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DTOVELO_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
# The settings target saves a file on every run: memory-backed scratch space keeps it quick.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# Leaves the target's log, new inputs and any reproducer in $work/<target>/.
fuzz_one() {
    local target="$1" dir="$work/$1"
    mkdir -p "$dir/corpus" "$dir/artifacts"
    rm -f "$dir/artifacts"/*
    local status=0
    "$repo/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$dir/artifacts/" \
        "$dir/corpus" "$repo/fuzz/corpus/$target" >"$dir/log" 2>&1 || status=$?
    local runs
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")"
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, nothing found"
    else
        echo "fuzz_$target: FOUND a fault after ${runs:-?} runs (log: $dir/log)"
        grep -h -m3 -E 'ERROR|Broken promise|SUMMARY' "$dir/log" || true
        ls "$dir/artifacts"/* 2>/dev/null | sed 's/^/  reproducer: /'
        echo "  replay: $repo/build-fuzz/fuzz/fuzz_$target <reproducer>"
    fi
    return "$status"
}

failed=0
running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$parallel" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    fuzz_one "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
