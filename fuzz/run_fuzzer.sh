#!/usr/bin/env bash
# Fuzzes one libFuzzer target for a bounded time; ctest runs it once per target.
#
#   run_fuzzer.sh TARGET-BINARY SEED-CORPUS BUILD-DIR SECONDS
#
# The target works on a copy of its committed seed corpus in
# BUILD-DIR/corpus-work/<target>/ (the committed corpus is never written);
# crashing inputs land in BUILD-DIR/artifacts/, the fuzzer's output in
# BUILD-DIR/logs/<target>.log. Exit 1 on any crash, hang, leak, memory
# excess or sanitizer report.
set -uo pipefail

binary="$1" seeds="$2" build="$3" duration="$4"
target="$(basename "$binary")"
corpus="$build/corpus-work/$target"
artifacts="$build/artifacts"
log="$build/logs/$target.log"
mkdir -p "$corpus" "$artifacts" "$build/logs"
cp -f "$seeds"/* "$corpus"/

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

start=$(date +%s)
(cd "$build" && "$binary" -max_total_time="$duration" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$corpus") >"$log" 2>&1
status=$?
elapsed=$(( $(date +%s) - start ))
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
# A report the exit status might hide still fails the run.
if [ "$status" -eq 0 ] && grep -qE 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|zenolune fuzz:' "$log"; then
    status=1
fi
printf '%-14s %6s s %12s runs  %s\n' "$target" "$elapsed" "${runs:-?}" \
    "$([ "$status" -eq 0 ] && echo ok || echo FAILED)"
if [ "$status" -ne 0 ]; then
    echo "log: $log"
    grep -E 'ERROR|runtime error|zenolune fuzz|SUMMARY|Test unit written|^    #[0-9]' "$log" | head -n 40
    exit 1
fi
