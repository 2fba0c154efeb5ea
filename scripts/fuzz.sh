#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS]      default 60 seconds per target
#
# Each target works on a copy of its committed seed corpus in
# build/fuzz/corpus-work/<target>/ (the committed corpus is never written);
# crashing inputs land in build/fuzz/artifacts/. The run fails (exit 1) on any
# crash, hang, leak, memory excess or sanitizer report.
set -uo pipefail

duration="${1:-60}"
if ! [[ "$duration" =~ ^[0-9]+$ ]] || [ "$duration" -lt 1 ]; then
    echo "usage: $0 [SECONDS]" >&2
    exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root" || exit 2
targets=(fuzz_datetime fuzz_number fuzz_step fuzz_pass)
build="$root/build/fuzz"

cmake --preset fuzz || exit 1
cmake --build --preset fuzz -j2 --target fuzzers || exit 1

work="$build/corpus-work"
artifacts="$build/artifacts"
logs="$build/logs"
mkdir -p "$work" "$artifacts" "$logs"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
summary=()
for target in "${targets[@]}"; do
    seeds="$root/fuzz/corpus/$target"
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp -f "$seeds"/* "$corpus"/
    log="$logs/$target.log"
    echo "== $target: ${duration} s on $corpus"
    start=$(date +%s)
    (cd "$build" && "$build/fuzz/$target" \
        -max_total_time="$duration" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
        "$corpus") >"$log" 2>&1
    status=$?
    elapsed=$(( $(date +%s) - start ))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    # A report the exit status might hide still fails the run.
    if [ "$status" -eq 0 ] && grep -qE 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|zenolune fuzz:' "$log"; then
        status=1
    fi
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "!! $target failed (exit $status), log $log:"
        grep -E 'ERROR|runtime error|zenolune fuzz|SUMMARY|Test unit written|^    #[0-9]' "$log" | head -n 40
    fi
    summary+=("$(printf '%-14s %6s s %12s runs  %s' "$target" "$elapsed" "${runs:-?}" \
        "$([ "$status" -eq 0 ] && echo ok || echo FAILED)")")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -ne 0 ]; then
    echo "failed: ${failed[*]}" >&2
    exit 1
fi
