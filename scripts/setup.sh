#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and be tested.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ ccache pkg-config
  # Qt 6 Widgets, with the offscreen and X11 platform plugins
  qt6-base-dev qt6-qpa-plugins libgl-dev
  # sound effects and MIDI music through FluidSynth with a General-MIDI soundfont
  libsdl2-mixer-dev timgm6mb-soundfont
  # fonts: DejaVu, and Liberation for Arial's metrics
  fonts-dejavu-core fonts-liberation2
  # whole-program tests: a virtual X server, input and screenshots
  xvfb xauth x11-apps xdotool imagemagick
  # a window manager, for the window frames and placement a player sees, and
  # xprop and xwininfo to read them
  openbox x11-utils
  # the same on Wayland: a headless compositor and Qt's Wayland plugin
  weston qt6-wayland
  # desktop integration checks
  desktop-file-utils appstream
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
)

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
