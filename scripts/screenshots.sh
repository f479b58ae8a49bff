#!/usr/bin/env bash
# Retakes the pictures in doc/screenshots: every window in a real X server (Xvfb), as the desktop shows it.
# Needs a build (./build.sh build) and the packages xvfb and xauth.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target quillmark_screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./build/bin/quillmark_screenshots doc/screenshots
