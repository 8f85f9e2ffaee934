#!/usr/bin/env bash
# Builds the Debian package of both editions and checks it as a packager and
# a user would: lintian, desktop-file-validate and appstreamcli validate (an
# error fails), then unpacks it into a temporary root and starts each
# unpacked station: --version without a display, then offscreen on a free
# port until it answers a module's frame.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${base_packages[@]}" "${package_packages[@]}"

# Only what the package holds is built (in CI the tests built the rest).
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${compiler_launcher[@]}"
cmake --build "$build_dir" -j"$(nproc)" --target harrier-tablet harrier-tablet-full harrier_packaging_files
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
rm -rf "$build_dir/package"
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$build_dir/package"
deb=$(echo "$build_dir"/package/harrier-tablet_*.deb)
echo "Package: $deb"

work=$(mktemp -d)
station_pid=
cleanup()
{
    [[ -n $station_pid ]] && kill "$station_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

lintian --fail-on error --tag-display-limit 0 "$deb"
root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

# A module's measurement frame (kind 0x8C04, 51 bytes, module 7) as bytes
# written out here; the station answers with 71 bytes: marker 0x4F, settings,
# and the sum of bytes 1 .. 69 last.
module_client()
{
    python3 - "$1" <<'PY'
import socket, sys, time
port = int(sys.argv[1])
deadline = time.monotonic() + 20
while True:
    try:
        link = socket.create_connection(("127.0.0.1", port), timeout=1)
        break
    except OSError:
        if time.monotonic() > deadline:
            sys.exit("the station never listened on port %d" % port)
        time.sleep(0.2)
body = bytearray(51)
body[0:7] = b"250" + bytes([31, 4, 7, 0])
body[49] = sum(body[0:49]) % 256
link.settimeout(10)
link.sendall(bytes([0x8C, 0x04, 0x00, 0x33]) + body)
reply = b""
while len(reply) < 71:
    chunk = link.recv(71 - len(reply))
    if not chunk:
        break
    reply += chunk
if len(reply) != 71 or reply[0] != 0x4F or reply[70] != sum(reply[1:70]) % 256:
    sys.exit("bad reply: " + reply.hex())
print("answered with 71 bytes")
PY
}

free_port()
{
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

for program in harrier-tablet harrier-tablet-full; do
    station=$root/usr/bin/$program
    expected="HARRIER Tablet DEMO $version"
    [[ $program == harrier-tablet-full ]] && expected="HARRIER Tablet $version"
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$station" --version)
    [[ $answer == "$expected" ]] || { echo "$program --version said '$answer', not '$expected'" >&2; exit 1; }

    port=$(free_port)
    [[ $port != 2323 ]] || port=$(free_port)
    home=$work/home-$program
    mkdir -p "$home"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data QT_QPA_PLATFORM=offscreen \
        "$station" --port "$port" >"$work/$program.log" 2>&1 &
    station_pid=$!
    if ! module_client "$port"; then
        cat "$work/$program.log" >&2
        exit 1
    fi
    kill -TERM "$station_pid"
    status=0
    wait "$station_pid" || status=$?
    station_pid=
    [[ $status == 0 ]] || { echo "$program exited with $status after SIGTERM" >&2; exit 1; }
    echo "$program: $answer, answered a module on port $port, closed cleanly"
done
echo "Package checks passed: $deb"
