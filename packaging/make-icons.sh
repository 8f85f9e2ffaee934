#!/usr/bin/env bash
# Draws the freedesktop icons of packaging/icons from the station's icon
# (resources/icons/FALCONMaster.ico, which holds 16, 32 and 48 px): those
# sizes are taken as they are, the larger ones enlarged from 48 px. Run it
# after the artwork changes and commit the result; the build does not need
# ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages imagemagick
ico=resources/icons/FALCONMaster.ico
out=packaging/icons
mkdir -p "$out"
convert "${ico}[0]" -strip "PNG32:$out/16.png"
convert "${ico}[1]" -strip "PNG32:$out/32.png"
convert "${ico}[2]" -strip "PNG32:$out/48.png"
for size in 64 128 256; do
    convert "${ico}[2]" -filter Lanczos -resize "${size}x${size}" -strip "PNG32:$out/$size.png"
done
