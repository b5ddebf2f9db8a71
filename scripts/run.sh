#!/usr/bin/env bash
# Sets up, builds and starts the program. Arguments go to the program (a file or folder);
# without one it opens the demo folder, made on first use.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" --programs
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "tonewright: no display available (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session." >&2
  exit 1
fi
if [ $# -eq 0 ]; then set -- --demo; fi
exec "${BUILD_DIR:-$root/build}/app/tonewright" "$@"
