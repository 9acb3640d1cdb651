#!/usr/bin/env bash
# Configures and builds everything into build/, staging the program folder
# build/Lorvane/ (executables, the lesson folder 单词课文 and the documents).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
