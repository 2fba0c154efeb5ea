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

stage "Dépendances"
scripts/deps.sh build run check

stage "Construction et tests"
start=$SECONDS
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"
echo "durée : $((SECONDS - start)) s"

if [ "${ZENOLUNE_QUICK:-0}" = 1 ]; then exit 0; fi

stage "Sanitizers (ASan + UBSan)"
start=$SECONDS
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"
echo "durée : $((SECONDS - start)) s"

if [ -x scripts/fuzz.sh ]; then
    stage "Fuzzing"
    start=$SECONDS
    scripts/fuzz.sh "${ZENOLUNE_FUZZ_SECONDS:-60}"
    echo "durée : $((SECONDS - start)) s"
fi
