#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need (only what is
# missing), then configures and builds in build/ (Release, two jobs).
# Sourced by run.sh and test.sh; safe to run again and again.
#   setup.sh [BUILD_DIR [CMAKE ARGS...]]   another build folder, configured with
#                                          these arguments (test.sh --sanitize)
#   setup.sh --packages-only [PACKAGE...]  only installs, these packages as well
#                                          (scripts/fuzz.sh: clang and its runtimes)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev libgl-dev
    qt6-translations-l10n
    libgraphicsmagick++1-dev graphicsmagick
    # the watermark's text: fonts found by family name, and one font every test can count on
    libfontconfig-dev fonts-dejavu-core
    libexiv2-dev liblcms2-dev zlib1g-dev
    dcraw
    libheif-examples libheif-dev libgs-common ghostscript
    # an independent reader of the metadata outputs carry (extended XMP, thumbnails)
    libimage-exiftool-perl
    xvfb xauth
    # installing and packaging: validators of the desktop files, cpack -G DEB, lintian
    desktop-file-utils appstream libxml2-utils dpkg-dev file lintian
)

packages_only=false
if [ "${1:-}" = "--packages-only" ]; then
    packages_only=true
    shift
    packages+=("$@")
    set --
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if $packages_only; then
    exit 0
fi

build="${1:-$root/build}"
if [ $# -gt 0 ]; then
    shift
else
    set -- -DCMAKE_BUILD_TYPE=Release
fi
cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j2
