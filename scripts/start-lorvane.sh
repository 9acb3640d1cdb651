#!/usr/bin/env bash
# Sets up, builds, stages the program folder and starts the trainer on the
# shipped lessons.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -x build/Lorvane/Lorvane ]; then
    exec build/Lorvane/Lorvane
fi
echo "The program folder is staged in build/Lorvane/ (lessons and documents)."
echo "The trainer window is not part of this build yet, so there is nothing to start."
