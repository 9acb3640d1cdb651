#!/usr/bin/env bash
# Builds the tests of the parts without windows (common, the two engines)
# with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/
# and runs them: a stray read, a leak or an overflow there fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
for test in common/common_tests trainer/engine/trainer_engine_tests \
            companion/engine/companion_engine_tests; do
    echo "sanitize: $test"
    (cd "build-sanitize/tests/${test%/*}" && "./${test##*/}" --gtest_brief=1)
done
