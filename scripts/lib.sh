# Shared by the scripts: installing what the build needs, configuring, building.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the panel, its recorder, its tests, its benchmarks and its
# demo need (mosquitto: a real broker for the tests of publishing).
PACKAGES=(cmake g++ make qtbase5-dev libqt5serialport5-dev libqcustomplot-dev pkg-config libfftw3-dev libmuparser-dev
          libmosquitto-dev mosquitto libxcb1-dev python3-pyvisa python3-pyvisa-py
          qttools5-dev qttools5-dev-tools qttranslations5-l10n)

# Installs the packages that are missing, as root or through sudo.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $BUILD_DIR) with any extra CMake options;
# only the targets in $BUILD_TARGETS when that is set.
build() {
    local dir="${BUILD_DIR:-$ROOT/build}"
    local targets=()
    [ -n "${BUILD_TARGETS:-}" ] && read -r -a targets <<<"--target $BUILD_TARGETS"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
}

# Configures build/ (or $BUILD_DIR) without building, for scripts that build
# only some targets.
configure_only() {
    local dir="${BUILD_DIR:-$ROOT/build}"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
}
