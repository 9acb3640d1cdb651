#!/usr/bin/env bash
# Runs bench/speech_latency_bench.cpp against a private PulseAudio server
# with a null sink (tests/with_pulseaudio.sh), so that nothing else plays.
#   bench/speech_latency.sh [BUILD_FOLDER] [benchmark options]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
shift || true
exec "$here/tests/with_pulseaudio.sh" "$build/bench/speech_latency_bench" "$@"
