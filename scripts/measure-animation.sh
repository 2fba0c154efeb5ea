#!/usr/bin/env bash
# Animates the main window for a while (10 s by default) and reports the
# passes per second achieved and the share of a CPU the program used.
# Under Xvfb when it is installed (a real X11 window, painted and flushed),
# offscreen otherwise.
#   scripts/measure-animation.sh [BUILD_DIR] [SECONDS] [phenomenes]
# With "phenomenes", the phenomena window is open beside, its table listed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
secondes=${2:-10}
avec=${3:-}
exe="$build/bench/zenolune_mesure_animation"
if [ ! -x "$exe" ]; then
  cmake --build "$build" -j2 --target zenolune_mesure_animation >/dev/null
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$exe" "$secondes" $avec
else
  echo "Xvfb absent : mesure hors écran (offscreen)" >&2
  QT_QPA_PLATFORM=offscreen "$exe" "$secondes" $avec
fi
