#!/usr/bin/env bash
# Sets up and builds the station, then runs every test headless. Fails when a
# test fails or when no test ran.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Only the tests need a log collector and tshark; the station itself does not.
source scripts/packages.sh
ensure_packages "${test_packages[@]}"
exec scripts/run-suite.sh "${BUILD_DIR:-build}"
