#!/usr/bin/env bash
# Merges several large lists with quillmark-cli and reports its peak memory (maximum resident set size from
# /usr/bin/time -v) next to cat's, and checks that the output holds exactly the inputs' bytes.
#
#   bench/merge/run.sh [GIB_PER_FILE [FILES [WORK_FOLDER]]]      defaults: 2 GiB, 3 files, a folder under /tmp
#
# Needs GIB_PER_FILE x FILES x 3 GiB of free disk (inputs, merged output, cat's output). Everything it writes is
# deleted at the end.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cli="$root/build/bin/quillmark-cli"
gib="${1:-2}"
files="${2:-3}"
work="$(mktemp -d "${3:-${TMPDIR:-/tmp}}/quillmark-merge-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT

[ -x "$cli" ] || { echo "build first: $cli is missing" >&2; exit 1; }

# One 64 MiB block of addresses, repeated to the size asked for; the last input has no final line end.
python3 "$root/bench/generate.py" list "$work/block" --count 3000000 --seed 11
head -c $((64 << 20)) "$work/block" > "$work/block64" && rm "$work/block"
inputs=()
for ((i = 1; i <= files; i++)); do
    for ((j = 0; j < gib * 16; j++)); do cat "$work/block64"; done > "$work/list$i.txt"
    inputs+=("$work/list$i.txt")
done
printf 'x@example.com' >> "${inputs[-1]}"
rm "$work/block64"
total=$(du -cb "${inputs[@]}" | tail -1 | cut -f1)
echo "inputs: $files files, $total bytes in all"

measure() { # label, command...
    local label="$1"; shift
    sync
    /usr/bin/time -v "$@" 2> "$work/time.txt" > /dev/null
    local rss wall
    rss=$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$work/time.txt")
    wall=$(sed -n 's/^\s*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
    printf '%-22s peak RSS %8s KiB   wall %s\n' "$label" "$rss" "$wall"
}

measure "quillmark-cli merge" "$cli" merge "${inputs[@]}" -o "$work/merged.txt"
measure "cat (for reference)" sh -c 'cat "$@" > "$0"' "$work/cat.txt" "${inputs[@]}"

size=$(stat -c %s "$work/merged.txt")
[ "$size" = "$total" ] || { echo "FAIL: merged $size bytes, inputs $total" >&2; exit 1; }
cmp "$work/merged.txt" "$work/cat.txt" || { echo "FAIL: merged bytes differ from the inputs" >&2; exit 1; }
echo "merged file: $size bytes, byte for byte the inputs in order"
