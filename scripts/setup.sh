#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the station,
# then configures and builds it in ./build. apt-get runs only when a package
# is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${base_packages[@]}"

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${compiler_launcher[@]}"
cmake --build "$build_dir" -j"$(nproc)"
