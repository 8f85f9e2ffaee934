#!/usr/bin/env bash
# Builds the whole station with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang) in ./build-asan and runs every test there, headless. Any sanitizer
# report, a leak included, fails the test that made it and so this script.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/sanitizer-env.sh

build_dir=${ASAN_BUILD_DIR:-build-asan}
configure_checked_build "$build_dir" -DHARRIER_SANITIZE=ON
cmake --build "$build_dir" -j"$(nproc)"

exec scripts/run-suite.sh "$build_dir"
