#!/bin/sh
# Builds the fuzz targets with clang and runs them, one at a time, at the lowest priority.
#
#   fuzz/run.sh TARGET SECONDS    run one target (table_lines, numerals, ...) for SECONDS
#   fuzz/run.sh all SECONDS       run every target in turn, SECONDS each
#   fuzz/run.sh merge TARGET      fold the inputs found so far into fuzz/corpus/TARGET, keeping
#                                 only those that add coverage (the seeds stay)
#   fuzz/run.sh list              name the targets
#
# The build lives in build-fuzz/ (FUZZ_BUILD overrides it). Inputs found while fuzzing go to
# build-fuzz/corpus/TARGET; crashes, hangs and leaks to build-fuzz/artifacts/TARGET/; each run's
# log, with libFuzzer's final statistics, to build-fuzz/logs/. A crash found is fixed, and its
# input kept under fuzz/regressions/TARGET/ so the ordinary tests replay it.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
targets=$(sed -n '/^set(LORVANE_FUZZ_TARGETS/,/^)/p' "$root/fuzz/targets.cmake" | sed '1d;$d' | tr -d ' ')

usage() {
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

configure() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        CC=clang-14 CXX=clang++-14 nice -n 19 cmake -S "$root" -B "$build" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORVANE_BUILD_FUZZERS=ON \
            -DLORVANE_BUILD_GUI=OFF -DLORVANE_BUILD_TESTS=OFF >/dev/null
    fi
}

build_target() {
    configure
    nice -n 19 make -C "$build" -j2 "fuzz_$1" >/dev/null
}

known() {
    for t in $targets; do [ "$t" = "$1" ] && return 0; done
    echo "fuzz/run.sh: no target $1 (fuzz/run.sh list names them)" >&2
    exit 2
}

run_one() {
    target=$1 seconds=$2
    known "$target"
    build_target "$target"
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target/" "$build/logs" "$build/tmp"
    log="$build/logs/$target-$(date +%Y%m%d-%H%M%S).log"
    case $target in
        vbs_*) dict="$root/fuzz/dict/vbs.dict" ;;
        *) dict="$root/fuzz/dict/lorvane.dict" ;;
    esac
    echo "fuzz/run.sh: $target for ${seconds}s, log $log"
    # One fuzzer at a time on this machine: a second run waits for the first.
    (
        flock 9
        cd "$build/tmp"
        # One child process at a time (-fork=1): an out-of-memory or a hang is kept as an
        # artifact and fuzzing goes on; a crash or a failed check ends the run.
        TMPDIR="$build/tmp" nice -n 19 "$build/fuzz/fuzz_$target" -fork=1 -ignore_ooms=1 \
            -ignore_timeouts=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" \
            -dict="$dict" \
            "$build/corpus/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1 || true
        rm -rf "$build/tmp"/lorvane-fuzz-* 2>/dev/null || true
    ) 9>"$build/.run.lock"
    # The last status line of the fork mode carries the executions and what was found.
    grep -E '^#[0-9]+: ' "$log" | tail -1 || true
    grep -E '^==[0-9]+==ERROR|^SUMMARY|Test unit written|check failed|INFO: exiting' "$log" | sort | uniq -c || true
}

merge() {
    target=$1
    known "$target"
    build_target "$target"
    fresh="$build/merge-$target"
    rm -rf "$fresh" && mkdir -p "$fresh"
    (
        flock 9
        TMPDIR="$build/tmp" nice -n 19 "$build/fuzz/fuzz_$target" -merge=1 -max_len=8192 \
            -timeout=10 -rss_limit_mb=2048 \
            "$fresh" "$root/fuzz/corpus/$target" "$build/corpus/$target" >/dev/null 2>&1
    ) 9>"$build/.run.lock"
    find "$root/fuzz/corpus/$target" -type f ! -name 'seed-*' -delete
    for f in "$fresh"/*; do
        [ -e "$f" ] || continue
        name=$(basename "$f")
        [ -e "$root/fuzz/corpus/$target/seed-$name" ] || cmp -s "$f" /dev/null ||
            cp "$f" "$root/fuzz/corpus/$target/$name"
    done
    # A merged input identical to a seed is the seed itself.
    for seed in "$root/fuzz/corpus/$target"/seed-*; do
        for f in "$root/fuzz/corpus/$target"/*; do
            case $(basename "$f") in seed-*) continue ;; esac
            cmp -s "$seed" "$f" && rm -f "$f"
        done
    done
    rm -rf "$fresh"
    echo "fuzz/run.sh: fuzz/corpus/$target holds $(ls "$root/fuzz/corpus/$target" | wc -l) inputs," \
        "$(du -sk "$root/fuzz/corpus/$target" | cut -f1) KiB"
}

[ $# -ge 1 ] || usage
case $1 in
    list) echo "$targets" ;;
    merge) [ $# -eq 2 ] || usage; merge "$2" ;;
    all)
        [ $# -eq 2 ] || usage
        for t in $targets; do run_one "$t" "$2"; done
        ;;
    *) [ $# -eq 2 ] || usage; run_one "$1" "$2" ;;
esac
