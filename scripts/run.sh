#!/usr/bin/env bash
# Sets up and builds the station, then starts it: the demonstration edition,
# or with --full the full edition. Other arguments go to the station. Without
# a display it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
program=harrier-tablet
if [[ ${1:-} == --full ]]; then
    program=harrier-tablet-full
    shift
fi
scripts/setup.sh
station="${BUILD_DIR:-build}/bin/$program"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$station" "$@"
fi
exec "$station" "$@"
