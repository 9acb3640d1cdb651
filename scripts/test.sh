#!/usr/bin/env bash
# Sets up the test tools, builds everything and runs every test. Tests that
# need a display run on a virtual X server; tests that need sound start
# their own audio server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
bash scripts/build.sh
cd build
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure --timeout 300
cd ..
# Every fuzz target for a short, bounded time on its seed corpus.
bash fuzz/run.sh 10
