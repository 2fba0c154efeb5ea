#!/usr/bin/env bash
# Installs what is missing, builds Zenolune and runs every test:
# 1. the release build's tests (core and windows, offscreen);
# 2. the same tests under AddressSanitizer + UndefinedBehaviorSanitizer;
# 3. each libFuzzer target for a bounded time (ZENOLUNE_FUZZ_SECONDS, default 60).
# ZENOLUNE_QUICK=1 runs stage 1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

stage() { printf '\n==== %s (%s)\n' "$1" "$(date +%T)"; }

passed=0
failed=0
# Runs ctest and adds its counts to the totals printed at the end.
run_ctest() {
    local log
    log=$(mktemp)
    local status=0
    ctest "$@" 2>&1 | tee "$log" || status=1
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -n "$line" ]; then
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    return $status
}
summary() { echo; echo "tests: $passed passed, $failed failed"; }

stage "Dépendances"
scripts/deps.sh build run check

# Configures, builds and tests one preset; stops the run on a failure.
build_and_test() {
    local preset="$1" title="$2" start=$SECONDS
    stage "$title"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
    run_ctest --preset "$preset" -j"$jobs" || { summary; exit 1; }
    echo "durée : $((SECONDS - start)) s"
}

build_and_test default "Construction et tests"
if [ "${ZENOLUNE_QUICK:-0}" = 1 ]; then summary; exit 0; fi
build_and_test asan "Sanitizers (ASan + UBSan)"

if [ -x scripts/fuzz.sh ]; then
    stage "Fuzzing"
    start=$SECONDS
    if scripts/fuzz.sh "${ZENOLUNE_FUZZ_SECONDS:-60}"; then
        passed=$((passed + 4))
    else
        failed=$((failed + 1))
        summary
        exit 1
    fi
    echo "durée : $((SECONDS - start)) s"
fi
summary
