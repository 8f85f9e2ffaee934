#!/usr/bin/env bash
# Sets up and builds the station, then starts it. Without a display it runs
# under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
station="${BUILD_DIR:-build}/bin/harrier-tablet"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$station" "$@"
fi
exec "$station" "$@"
