#!/usr/bin/env bash
# Installs what is missing, builds Zenolune and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake --preset program >/dev/null
cmake --build --preset program -j"$(nproc)"
exec build/program/ui/zenolune "$@"
