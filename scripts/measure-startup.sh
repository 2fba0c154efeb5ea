#!/usr/bin/env bash
# Launch time and memory of Zenolune against a bare Qt window (a QLabel),
# in the same run on the same machine: each program is started RUNS times
# in turn, under one Xvfb (a real X11 window), prints the instant its window
# is first painted and ends. Prints the median time from launch to that
# paint of each, their ratio, and the peak resident memory of both.
#   scripts/measure-startup.sh [BUILD_DIR] [RUNS]        default build/default, 20
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
runs=${2:-20}
if [ "${ZENOLUNE_UNDER_XVFB:-0}" != 1 ]; then
    [ ! -f "$build/CMakeCache.txt" ] || cmake --build "$build" -j2 --target zenolune bare_window >/dev/null
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    # A settings store of its own: the user's is neither read nor written.
    XDG_CONFIG_HOME=$(mktemp -d)
    export XDG_CONFIG_HOME
    ZENOLUNE_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi
export QT_QPA_PLATFORM=xcb ZENOLUNE_EXIT_WHEN_SHOWN=1
zenolune="$build/ui/zenolune"
bare="$build/bench/bare_window"
declare -a t_zen t_bare rss rss_bare
out=$(mktemp)
trap 'rm -f "$out" "$out.rss"' EXIT
# Microseconds from the launch to the first paint, which the program prints
# (the shell's clock read without a fork); the peak resident memory from GNU time.
shown() {
    local launch=${EPOCHREALTIME/[.,]/}
    /usr/bin/time -f %M -o "$out.rss" "$1" >"$out"
    echo $(( $(head -n 1 "$out") - launch ))
}
# One warm-up each: the first start reads the libraries from disk.
shown "$bare" >/dev/null; shown "$zenolune" >/dev/null
for ((i = 0; i < runs; i++)); do
    t_bare+=("$(shown "$bare")"); rss_bare+=("$(cat "$out.rss")")
    t_zen+=("$(shown "$zenolune")"); rss+=("$(cat "$out.rss")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
mz=$(median "${t_zen[@]}")
mb=$(median "${t_bare[@]}")
mr=$(median "${rss[@]}")
mrb=$(median "${rss_bare[@]}")
echo "du lancement à la fenêtre peinte, médiane de $runs : zenolune $(awk "BEGIN {printf \"%.1f\", $mz / 1000}") ms," \
     "QLabel seul $(awk "BEGIN {printf \"%.1f\", $mb / 1000}") ms, rapport $(awk "BEGIN {printf \"%.2f\", $mz / $mb}")"
echo "mémoire résidente maximale (médiane) : zenolune $((mr / 1024)) Mio ($mr Kio), QLabel seul $((mrb / 1024)) Mio ($mrb Kio)"
