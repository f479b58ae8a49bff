#!/bin/sh
# The mail-folder scan over a 200 MB folder: time and peak memory of the command line (and, for comparison, of a
# 20 MB folder: the peak must not grow with the file), then the window's run under Xvfb with its repaint count.
# Run from the worktree after `cmake --build --preset default`. Usage: mail_stream.sh [MEGABYTES]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build"
size=${1:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {
    /usr/bin/time -v "$@" 2>"$work/time" >"$work/stdout"
    printf '  found: %s  elapsed: %s  peak memory: %s kB\n' "$(cat "$work/stdout")" \
        "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")"
}

for mb in 20 "$size"; do
    messages=$(python3 "$root/bench/retrieve/make_folder.py" "$work/folder.mbx" "$mb")
    echo "mail folder of $mb MB ($(stat -c %s "$work/folder.mbx") bytes, $messages messages):"
    measure "$build/bin/quillmark-cli" retrieve mail "$work/folder.mbx" -o "$work/out.txt"
    echo "  output: $(stat -c %s "$work/out.txt") bytes"
done

g++ -std=c++20 -fPIC -O2 -I"$root/src" $(pkg-config --cflags Qt6Widgets) "$root/bench/retrieve/window_run.cpp" \
    "$build/src/retrieve/libquillmark_retrieve.a" "$build/src/tools/libquillmark_tools.a" \
    "$build/src/services/libquillmark_services.a" "$build/src/platform/libquillmark_platform.a" \
    "$build/src/core/libquillmark_core.a" $(pkg-config --libs Qt6Widgets) -lpthread -o "$work/window_run"
echo "the window over the $size MB folder:"
QT_QPA_PLATFORM=xcb /usr/bin/time -v xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$work/window_run" "$work/folder.mbx" "$work/out.txt" 2>"$work/time" | sed 's/^/  /'
printf '  peak memory: %s kB (the largest process, xvfb-run and its children)\n' \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")"
