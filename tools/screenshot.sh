#!/usr/bin/env bash
# Starts the built station under a virtual X server with a throw-away home
# (settings store and data folder included), waits, and saves a screenshot of
# the screen as PNG.
# Usage: tools/screenshot.sh [out.png] [seconds=3]
# Needs xvfb, x11-apps (xwd) and imagemagick (convert); installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages xvfb xauth x11-apps imagemagick
out=$(realpath -m "${1:-screenshot.png}")
wait_s=${2:-3}
build_dir=${BUILD_DIR:-build}
[[ $build_dir = /* ]] || build_dir="$(pwd)/$build_dir"
station="$build_dir/bin/harrier-tablet"
[[ -x $station ]] || { echo "no station at $station: run scripts/setup.sh first" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    '$station' --port 0 &
    sleep $wait_s
    xwd -root -silent | /usr/bin/convert xwd:- '$out'
    kill -INT \$!
    wait \$!"
echo "saved $out"
