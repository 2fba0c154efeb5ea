#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and fuzzes each for a bounded time through
# ctest: the targets and their runs are listed once, in fuzz/CMakeLists.txt.
#
#   scripts/fuzz.sh [SECONDS] [CTEST-OPTIONS...]     default 60 seconds per target
#
# Each target works on a copy of its committed seed corpus in
# build/fuzz/corpus-work/<target>/; crashing inputs land in
# build/fuzz/artifacts/, the fuzzers' output in build/fuzz/logs/. The run
# fails (exit status of ctest) on any crash, hang, leak, memory excess or
# sanitizer report.
set -euo pipefail

duration="${1:-60}"
if ! [[ "$duration" =~ ^[0-9]+$ ]] || [ "$duration" -lt 1 ]; then
    echo "usage: $0 [SECONDS] [CTEST-OPTIONS...]" >&2
    exit 2
fi
shift $(( $# > 0 ? 1 : 0 ))

cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset fuzz -DZENOLUNE_FUZZ_SECONDS="$duration" >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target fuzzers
exec ctest --preset fuzz -j"$(nproc)" "$@"
