#!/usr/bin/env bash
# Sets up, builds and starts the program on the delivered database in build/bin/Data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

data=build/bin/Data
mkdir -p "$data"
# A fresh delivered database (with demo requests) only when none is there yet.
[ -e "$data/domlar.mde" ] || build/bin/domlar-makedb --demo 300 "$data/domlar.mde"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/domlar "$@"
fi
exec build/bin/domlar "$@"
