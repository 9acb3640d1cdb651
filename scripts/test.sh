#!/usr/bin/env bash
# Sets up the test tools, builds everything and runs every test. Tests that
# need a display run on a virtual X server; tests that need sound start
# their own audio server. Then the tests of common and the engines once more
# under AddressSanitizer and UndefinedBehaviorSanitizer, and every fuzz target
# for a short, bounded time.
# A test that cannot run (a tool missing) is reported skipped by ctest; run
# as root, as CI does, where everything can run, a skipped test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
# Our code compiles without a warning; the tests keep it that way.
LORVANE_WERROR=ON bash scripts/build.sh
log=build/Testing/ctest-output.log
mkdir -p build/Testing
status=0
(cd build && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure --timeout 300) 2>&1 |
    tee "$log" || status=$?
skipped=$(grep -E '\(Skipped\)$' "$log" || true)
if [ -n "$skipped" ]; then
    echo "test: these tests were skipped (their output: build/Testing/Temporary/LastTest.log):"
    echo "$skipped"
    if [ "$(id -u)" -eq 0 ] || [ -n "${CI:-}" ]; then
        echo "test: every test must run here: install what they lack in scripts/setup.sh"
        status=1
    fi
fi
[ $status -eq 0 ] || exit $status
bash scripts/sanitize.sh
bash fuzz/run.sh 10
# ctest's summary once more as the closing line.
grep -E '^[0-9]+% tests passed' "$log"
