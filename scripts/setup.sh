#!/usr/bin/env bash
# Installs the Debian packages the game needs, in two groups:
#   scripts/setup.sh play   what building and playing the game need
#   scripts/setup.sh        the same, and everything the test suite needs
# Safe to run again: it installs only what is missing.
set -euo pipefail

# Building and playing.
play_packages=(
  # compiler and build tools
  cmake ninja-build g++
  # Qt 6 Widgets, with the X11 platform plugin and the Wayland one
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-wayland
  # sound effects and MIDI music through FluidSynth with a General-MIDI soundfont
  libsdl2-mixer-dev timgm6mb-soundfont
  # fonts: DejaVu, and Liberation for Arial's metrics
  fonts-dejavu-core fonts-liberation2
)

# Only the tests need these.
test_packages=(
  # compiler cache for the repeated builds
  ccache
  # whole-program tests: a virtual X server, input and screenshots
  xvfb xauth x11-apps xdotool imagemagick
  # the same on Wayland: a headless compositor
  weston
  # desktop integration checks
  desktop-file-utils appstream
  # the Debian package: its dependencies (dpkg-shlibdeps) and its check
  dpkg-dev lintian
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
)

case ${1:-all} in
  play) packages=("${play_packages[@]}") ;;
  all) packages=("${play_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [play]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
