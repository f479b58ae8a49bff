#!/bin/sh
# Builds the screenshot program against the libraries of build/ and takes the Retrieve window's picture under
# Xvfb. Run from the worktree after `cmake --build --preset default`.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -fPIC -O1 -I"$root/src" $(pkg-config --cflags Qt6Widgets) "$root/bench/retrieve/screenshot.cpp" \
    "$build/src/retrieve/libquillmark_retrieve.a" "$build/src/tools/libquillmark_tools.a" \
    "$build/src/services/libquillmark_services.a" "$build/src/platform/libquillmark_platform.a" \
    "$build/src/core/libquillmark_core.a" $(pkg-config --libs Qt6Widgets) -lpthread -o "$work/screenshot"
mkdir -p "$root/doc/screenshots"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${QT_SCALE_FACTOR:-1} xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$work/screenshot" "$root/doc/screenshots/frmRetrieve.png"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${QT_SCALE_FACTOR:-1} xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$work/screenshot" \
    "$root/doc/screenshots/frmRetrieve-count.png" count
echo "$root/doc/screenshots/frmRetrieve.png"
