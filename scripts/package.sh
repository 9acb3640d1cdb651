#!/usr/bin/env bash
# Sets up what making the package needs, builds the programs (not the tests)
# and makes the Debian package build/lorvane_VERSION_ARCH.deb with
# `cpack -G DEB` in the build folder. Install it with
#   sudo apt install ./build/lorvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package
bash scripts/build.sh --programs
# The archiver takes file names in the locale's character set, and the
# lessons' names are Chinese: a UTF-8 one whatever the shell has.
(cd build && LC_ALL=C.UTF-8 cpack -G DEB)
