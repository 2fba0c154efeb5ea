#!/usr/bin/env bash
# Installs what is missing, builds Zenolune and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target zenolune zenolune-ephem
exec build/default/ui/zenolune "$@"
