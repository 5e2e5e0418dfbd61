#!/usr/bin/env bash
# The game as a desktop application: the desktop file and the AppStream data
# validate; an install to a fresh prefix runs from another folder; the Debian
# package declares its dependencies, holds the right files, and its unpacked
# tree runs too.
# usage: packaging_test.sh <source folder> <build folder>
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")

. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1024x768 -- "$0" "$@"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== validators"
desktop-file-validate "$src/packaging/de.zindlegames.ZindleTavrin.desktop"
appstreamcli validate --no-net "$src/packaging/de.zindlegames.ZindleTavrin.metainfo.xml"

# Starts a game and checks that its window shows a puzzle (many colours in the
# play area), from a folder that is not the game's.
runs_from_elsewhere() {
  local launcher=$1 home=$work/home-$2
  mkdir -p "$home/config/ZindleGames" "$home/runtime" "$work/elsewhere"
  chmod 700 "$home/runtime"
  printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\music=0\ncommon\\MainForm="200,0,1,10,10,510,376"\n' \
    > "$home/config/ZindleGames/ZindleTavrin.ini"
  (cd "$work/elsewhere" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
     QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$launcher" >/dev/null 2>&1) &
  local pid=$!
  timeout 15 xdotool search --sync --name '^Zindle Tavrin V1\.2$' >/dev/null || fail "no window from $launcher"
  sleep 1
  import -window root -crop 500x333+10+43 "$work/shot-$2.png"
  kill "$pid" 2>/dev/null || true
  pkill -f "$launcher" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  local colours
  colours=$(identify -format '%k' "$work/shot-$2.png")
  echo "$2: the play area shows $colours colours"
  [ "$colours" -gt 200 ] || fail "$launcher shows no puzzle"
}

echo "== install to a fresh prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
[ -L "$work/prefix/bin/zindle-tavrin" ] || fail "no launcher link in bin/"
for f in zindle-tavrin b1.bmp b2.bmp b3.bmp b4.bmp; do
  [ -f "$work/prefix/lib/zindle-tavrin/$f" ] || fail "lib/zindle-tavrin/$f not installed"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$work/prefix/share/icons/hicolor/${size}x${size}/apps/de.zindlegames.ZindleTavrin.png" ] ||
    fail "icon $size missing"
done
[ -f "$work/prefix/share/icons/hicolor/scalable/apps/de.zindlegames.ZindleTavrin.svg" ] || fail "no scalable icon"
runs_from_elsewhere "$work/prefix/bin/zindle-tavrin" prefix

echo "== Debian package"
(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-dejavu-core fonts-liberation2 qt6-qpa-plugins; do
  grep -q "$d" <<<"$depends" || fail "the package does not depend on $d"
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/zindle-tavrin ./usr/lib/zindle-tavrin/zindle-tavrin ./usr/lib/zindle-tavrin/b3.bmp \
         ./usr/share/applications/de.zindlegames.ZindleTavrin.desktop \
         ./usr/share/metainfo/de.zindlegames.ZindleTavrin.metainfo.xml; do
  grep -q " $f" <<<"$contents" || fail "$f is not in the package"
done
dpkg-deb -x "$deb" "$work/root"
runs_from_elsewhere "$work/root/usr/bin/zindle-tavrin" deb
echo "PASS"
