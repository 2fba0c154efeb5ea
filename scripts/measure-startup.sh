#!/usr/bin/env bash
# Launch time and memory of Zenolune against a bare Qt window (a QLabel),
# in the same run on the same machine: each program is started RUNS times
# in turn, under one Xvfb (a real X11 window), and ends once its window is
# painted. Prints the median wall time of each, their ratio, and the peak
# resident memory of Zenolune.
#   scripts/measure-startup.sh [BUILD_DIR] [RUNS]        default build/default, 20
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
runs=${2:-20}
if [ "${ZENOLUNE_UNDER_XVFB:-0}" != 1 ]; then
    cmake --build "$build" -j2 --target zenolune bare_window >/dev/null
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
ms() { echo $(( $(date +%s%N) / 1000000 )); }
# One warm-up each: the first start reads the libraries from disk.
"$bare"; "$zenolune"
for ((i = 0; i < runs; i++)); do
    # Both through the same GNU time, which also gives the peak resident memory.
    start=$(ms); /usr/bin/time -f %M -o /tmp/zenolune-rss.$$ "$bare"; t_bare+=($(( $(ms) - start )))
    rss_bare+=("$(cat /tmp/zenolune-rss.$$)")
    start=$(ms); /usr/bin/time -f %M -o /tmp/zenolune-rss.$$ "$zenolune"; t_zen+=($(( $(ms) - start )))
    rss+=("$(cat /tmp/zenolune-rss.$$)")
done
rm -f /tmp/zenolune-rss.$$
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
mz=$(median "${t_zen[@]}")
mb=$(median "${t_bare[@]}")
mr=$(median "${rss[@]}")
echo "lancement jusqu'à la fenêtre peinte, médiane de $runs : zenolune $mz ms, QLabel seul $mb ms, rapport $(awk "BEGIN {printf \"%.2f\", $mz / $mb}")"
mrb=$(median "${rss_bare[@]}")
echo "mémoire résidente maximale (médiane) : zenolune $((mr / 1024)) Mio ($mr Kio), QLabel seul $((mrb / 1024)) Mio ($mrb Kio)"
