#!/usr/bin/env bash
# Sets up and builds the station, then runs every test headless. Fails when a
# test fails or when no test ran.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/packages.sh
ensure_packages "${test_packages[@]}"
exec scripts/run-suite.sh "${BUILD_DIR:-build}"
