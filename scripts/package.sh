#!/usr/bin/env bash
# Sets up what making the package needs, builds the programs (not the tests)
# and makes the Debian package build/lorvane_VERSION_ARCH.deb with
# `cpack -G DEB` in the build folder. Install it with
#   sudo apt install ./build/lorvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package
bash scripts/build.sh --programs
(cd build && cpack -G DEB)
