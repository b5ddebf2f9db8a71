#!/usr/bin/env bash
# The window on 3,000 and 30,000 small tagged files (or the counts given): start to shown
# list, the longest event-loop gap and the peak memory (bench/window_start.cpp), beside
# tonewright-cli taglist of the same folder. Run from the worktree root after building
# window_start and tonewright-cli (a release build gives the figures the README quotes).
#   bench/window_start.sh [count ...]
set -euo pipefail
build=${BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build}
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(3000 30000)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tonewright-window-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for count in "${counts[@]}"; do
  folder="$scratch/files-$count"
  mkdir -p "$folder"
  "$build/bench/window_start" make "$folder" "$count"
  echo "== $count files"
  # The files are read from the page cache in both runs: the CLI's run warms it first.
  "$build/cli/tonewright-cli" taglist "$folder" >/dev/null
  start=$EPOCHREALTIME
  "$build/cli/tonewright-cli" taglist "$folder" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "tonewright-cli taglist  %.2f s\n", b - a }'
  "$build/bench/window_start" run "$folder" 2> >(grep -v -e '^$' -e 'graphics backend' >&2)
  rm -rf "$folder"
done
