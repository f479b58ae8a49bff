#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a given number of seconds each, from its seed corpus.
#   fuzz/run.sh SECONDS [TARGET...]
# Builds the "fuzz" preset first. New inputs found go to build-fuzz/corpus/TARGET; a crash leaves its input in
# build-fuzz/artifacts/ and makes this script fail.
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
    mkdir -p "$work" "fuzz/corpus/$name"
    echo "== $target for ${seconds}s"
    ./build-fuzz/bin/"$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
        -timeout=20 -rss_limit_mb=4096 "$work" "fuzz/corpus/$name" 2>&1 | grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|==[0-9]+==ERROR|check failed|SUMMARY)' || true
    test "${PIPESTATUS[0]}" -eq 0
done
