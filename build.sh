#!/usr/bin/env bash
# Quillmark's one entry point for a Debian 12 machine.
#   ./build.sh run     installs the Debian packages that are missing, builds, and starts Quillmark
#   ./build.sh test    installs the Debian packages that are missing, builds, and runs the whole test suite
#   ./build.sh build   installs and builds only
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libcli11-dev libdivsufsort-dev xdg-utils)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset default
    cmake --build --preset default -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build
    exec ./build/bin/quillmark
    ;;
test)
    install_missing
    build
    ctest --preset default -j"$(nproc)"
    ;;
build)
    install_missing
    build
    ;;
*)
    echo "usage: ./build.sh run|test|build" >&2
    exit 2
    ;;
esac
