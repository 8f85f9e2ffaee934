#!/usr/bin/env bash
# Runs the CTest suite of one build folder headless. Fails when a test fails
# or when no test ran.
#   scripts/run-suite.sh BUILD_DIR
set -euo pipefail
build_dir=$1
export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
set +e
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 300 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
if grep -q "No tests were found" "$log" || ! grep -Eq "tests passed" "$log"; then
    echo "No test ran." >&2
    exit 1
fi
exit "$status"
