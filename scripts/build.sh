#!/usr/bin/env bash
# Configures and builds into build/ (or the folder named by BUILD_DIR). With --programs
# first, only the two programs are built (tonewright and tonewright-cli, with their icons and
# manual pages, so that the tree can be installed), not the tests and benchmarks; further
# arguments go to the configuring cmake (-D...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
targets=()
if [ "${1:-}" = "--programs" ]; then
  shift
  targets=(--target tonewright tonewright-cli icons manpages)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
