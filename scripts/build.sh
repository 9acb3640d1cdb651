#!/usr/bin/env bash
# Configures and builds into build/, staging the program folder build/Lorvane/
# (the programs, the lesson folder 单词课文, the documents, the icons and the
# menu script).
#   build.sh              everything: the programs, the tests, the benchmarks
#   build.sh --programs   only the two programs, their folder and what
#                         installing them takes (for start-lorvane.sh and
#                         package.sh: no test packages needed)
# LORVANE_WERROR=ON in the environment makes warnings errors (the tests do).
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
    "")
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DLORVANE_BUILD_TESTS=ON -DLORVANE_BUILD_BENCHMARKS=ON \
            -DLORVANE_WERROR="${LORVANE_WERROR:-OFF}"
        cmake --build build
        ;;
    --programs)
        # A new build folder leaves the tests and benchmarks out, so that
        # configuring needs none of their packages; one that has them keeps
        # them, but they are not built here.
        if [ ! -f build/CMakeCache.txt ]; then
            cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                -DLORVANE_BUILD_TESTS=OFF -DLORVANE_BUILD_BENCHMARKS=OFF
        fi
        cmake --build build --target program_folder compressed_docs
        ;;
    *)
        echo "usage: build.sh [--programs]" >&2
        exit 2
        ;;
esac
