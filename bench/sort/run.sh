#!/bin/sh
# The sort benchmark: 10 million addresses (about 10% duplicates), sorted and de-duplicated by fsort and by
# quillmark-cli sort, against LC_ALL=C sort -u with its default threads, in one hyperfine run; then the peak
# memory of each from /usr/bin/time -v. Needs a built tree (cmake --build --preset default) and hyperfine.
#
#     bench/sort/run.sh [COUNT] [WORK_FOLDER]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin="$root/build/bin"
count=${1:-10000000}
work=${2:-${TMPDIR:-/tmp}/quillmark-sort-bench}
mkdir -p "$work"
list="$work/addresses-$count.txt"

[ -x "$bin/fsort" ] && [ -x "$bin/quillmark-cli" ] || { echo "build first: cmake --build --preset default" >&2; exit 2; }
[ -f "$list" ] || python3 "$here/generate.py" "$list" --count "$count"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')," \
     "$(free -g | awk '/Mem:/ {print $2}') GB"
echo "input: $(wc -l < "$list") lines, $(wc -c < "$list") bytes"

hyperfine -N --warmup 1 --runs 5 --export-markdown "$work/result.md" \
    -n fsort "$bin/fsort /I=$list /O=$work/fsort.txt /D=$work/fsort-dup.txt /K=1,30" \
    -n "quillmark-cli sort" "$bin/quillmark-cli sort $list -o $work/cli.txt" \
    -n "sort -u" "env LC_ALL=C sort -u $list -o $work/sort-u.txt"

cmp "$work/fsort.txt" "$work/sort-u.txt" && echo "fsort output is byte for byte the output of sort -u"

peak() {
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ {printf "%.0f MB\n", $2 / 1024}'
}
echo "peak memory, fsort:              $(peak "$bin/fsort" "/I=$list" "/O=$work/fsort.txt" "/D=$work/fsort-dup.txt" "/K=1,30")"
echo "peak memory, quillmark-cli sort: $(peak "$bin/quillmark-cli" sort "$list" -o "$work/cli.txt")"
echo "peak memory, sort -u:            $(peak env LC_ALL=C sort -u "$list" -o "$work/sort-u.txt")"
echo "peak memory, fsort /M=64M:       $(peak "$bin/fsort" "/I=$list" "/O=$work/fsort.txt" "/D=$work/fsort-dup.txt" "/M=64M")"
cmp "$work/fsort.txt" "$work/sort-u.txt" && echo "spilled fsort output is byte for byte the output of sort -u"
