#!/usr/bin/env bash
# Sets up what building and running need, builds the two programs and their
# folder build/Lorvane/ (the tests and benchmarks are the test command's),
# and starts Lorvane on the shipped lessons. Run it as yourself: missing
# packages are installed with sudo, and the build and the program are yours.
set -euo pipefail
cd "$(dirname "$0")/.."
display=yes
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    display=""
    echo "start-lorvane: no display (DISPLAY is not set): building build/Lorvane/ only, Lorvane is not started"
fi
bash scripts/setup.sh
bash scripts/build.sh --programs
[ -n "$display" ] || exit 0
exec build/Lorvane/Lorvane
