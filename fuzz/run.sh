#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and
# runs each for a bounded time on its seed corpus in fuzz/corpus/<name>/.
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET…]
# New inputs found on the way go to a scratch folder, never into the seeds;
# a crash leaves its input in build-fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLORVANE_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

findings=build-fuzz/findings
mkdir -p "$findings"
failed=0
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/$target
    scratch=$(mktemp -d)
    mkdir -p "$seeds"
    echo "fuzz: $target for ${seconds}s"
    if ! (cd "$findings" && "../fuzz/$target" -max_total_time="$seconds" -timeout=10 \
              -rss_limit_mb=2048 -seed=1 -print_final_stats=1 \
              "$scratch" "$OLDPWD/$seeds") >"$findings/$target.log" 2>&1; then
        echo "fuzz: $target FAILED, see $findings/$target.log"
        tail -n 40 "$findings/$target.log"
        failed=1
    else
        grep -E '^stat::number_of_executed_units' "$findings/$target.log" || true
    fi
    rm -rf "$scratch"
done
exit $failed
