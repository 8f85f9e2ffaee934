# Sourced by the build scripts. ensure_packages installs those of the given
# Debian packages that are missing; apt-get runs only when one is.

# What every build of the station needs; qt6-translations-l10n brings the Qt
# library's own Russian texts (qtbase_ru.qm) that the Russian interface loads,
# libqt6sql6-sqlite the event journal's database driver.
base_packages=(build-essential cmake qt6-base-dev qt6-multimedia-dev qt6-tools-dev
               qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n libqt6sql6-sqlite
               libgl-dev xvfb xauth)
# The tests: tshark, which reads the simulator's captures through the Lua dissector.
test_packages=(tshark)
# The checked builds: clang and its compiler runtime (sanitizers and libFuzzer).
checked_packages=(clang libclang-rt-14-dev)
# The Debian package and its checks (scripts/package-check.sh).
package_packages=(dpkg-dev fakeroot lintian desktop-file-utils appstream python3)

ensure_packages()
{
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    # tshark's package would ask whether non-root users may capture; they need not.
    echo "wireshark-common wireshark-common/install-setuid boolean false" \
        | "${sudo_cmd[@]}" debconf-set-selections
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
}

# A compiler cache, when the machine has one, makes rebuilds of unchanged
# sources cheap (CI builds the project three times).
compiler_launcher=()
if command -v ccache >/dev/null 2>&1; then
    compiler_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Installs what a checked build needs (clang and its runtime besides the
# base) and configures one in folder $1 with the CMake options that follow.
configure_checked_build()
{
    local dir=$1
    shift
    ensure_packages "${base_packages[@]}" "${test_packages[@]}" "${checked_packages[@]}"
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${compiler_launcher[@]}" -DCMAKE_C_COMPILER=clang \
          -DCMAKE_CXX_COMPILER=clang++ "$@"
}
