#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over our sources, using the
# compile commands of build/ (scripts/build.sh makes them).
#   tidy.sh            every source of the programs' libraries
#   tidy.sh FILE…      just these
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
    mapfile -t files < <(git ls-files 'common/*.cpp' 'speech/*.cpp' 'platform/*.cpp' \
        'ui_support/*.cpp' 'trainer/*.cpp' 'companion/*.cpp' 'apps/*.cpp')
else
    files=("$@")
fi
run-clang-tidy -quiet -p build "${files[@]}"
