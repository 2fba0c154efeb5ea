#!/usr/bin/env bash
# Installs what is missing, builds Zenolune and runs every test:
# 1. the release build's tests (core and windows, offscreen);
#    then the Debian package: built from the "program" preset, checked
#    (contents, lintian, both programs run from the unpacked package);
# 2. the same tests under AddressSanitizer + UndefinedBehaviorSanitizer;
# 3. each libFuzzer target for a bounded time (ZENOLUNE_FUZZ_SECONDS, default 60).
# ZENOLUNE_QUICK=1 runs stage 1 only. A stage fails on ctest's exit status;
# the counts of the last line come from ctest's JUnit report.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

stage() { printf '\n==== %s (%s)\n' "$1" "$(date +%T)"; }

passed=0
failed=0
summary() { echo; echo "tests: $passed passed, $failed failed"; }

# junit_count FILE ATTRIBUTE: an attribute of the report's <testsuite> element.
junit_count() {
    tr '\n\t' '  ' <"$1" | sed -n "s/.*<testsuite [^>]*\b$2=\"\([0-9]*\)\".*/\1/p" | head -n 1
}

# Runs ctest for a preset and adds its counts to the totals; returns ctest's
# exit status. When ctest fails, every test that did not pass counts as
# failed, tests it could not run included.
run_ctest() {
    local preset="$1" report status=0 total=0 ok=0
    report="$PWD/build/$preset/ctest-junit.xml"
    rm -f "$report"
    ctest --preset "$preset" -j"$jobs" --output-junit "$report" || status=$?
    if [ -f "$report" ]; then
        total=$(junit_count "$report" tests)
        ok=$(( total - $(junit_count "$report" failures) - $(junit_count "$report" skipped)
               - $(junit_count "$report" disabled) ))
    fi
    passed=$((passed + ok))
    if [ "$status" -ne 0 ]; then
        failed=$((failed + (total > ok ? total - ok : 1)))
    fi
    return "$status"
}

# Configures, builds (everything, or the given targets) and tests one preset;
# stops the run on a failure.
build_and_test() {
    local preset="$1" title="$2" start=$SECONDS
    shift 2
    stage "$title"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs" "$@"
    run_ctest "$preset" || { summary; exit 1; }
    echo "durée : $((SECONDS - start)) s"
}

stage "Dépendances"
scripts/deps.sh build test run check

build_and_test default "Construction et tests"

stage "Paquet Debian"
start=$SECONDS
cmake --preset program >/dev/null
cmake --build --preset program -j"$jobs"
rm -f build/program/zenolune_*.deb
(cd build/program && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/program/CMakeCache.txt)
if scripts/check-package.sh build/program/zenolune_"$version"_*.deb "$version"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1)); summary; exit 1
fi
echo "durée : $((SECONDS - start)) s"

if [ "${ZENOLUNE_QUICK:-0}" = 1 ]; then summary; exit 0; fi
build_and_test asan "Sanitizers (ASan + UBSan)"

cmake --preset fuzz -DZENOLUNE_FUZZ_SECONDS="${ZENOLUNE_FUZZ_SECONDS:-60}" >/dev/null
build_and_test fuzz "Fuzzing" --target fuzzers
summary
