#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a given number of seconds each, from its seed corpus.
#   fuzz/run.sh SECONDS [TARGET...]
# Builds the "fuzz" preset first. New inputs found go to build-fuzz/corpus/NAME; a crash leaves its input in
# build-fuzz/artifacts/ and makes this script fail. Each target's full output is in build-fuzz/NAME.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    work=build-fuzz/corpus/$name
    log=build-fuzz/$name.log
    mkdir -p "$work" "fuzz/corpus/$name"
    echo "== $target for ${seconds}s"
    status=0
    ./build-fuzz/bin/"$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
        -timeout=20 -rss_limit_mb=4096 "$work" "fuzz/corpus/$name" >"$log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|==[0-9]+==ERROR|check failed|SUMMARY)' "$log" || true
    if [ "$status" -ne 0 ]; then
        echo "$target failed (status $status); the end of its log:"
        tail -n 40 "$log"
        exit 1
    fi
done
