#!/usr/bin/env bash
# The game as a desktop application and a Debian package: the desktop file and
# the AppStream data validate, the screenshots they name are shipped; an
# install from source to a fresh prefix runs from another folder and its
# uninstaller removes exactly what it wrote; an install from source refuses
# /usr; the Debian package has the right layout, dependencies, size, a
# stripped and hardened program, passes lintian, and its unpacked tree runs.
# usage: packaging_test.sh <source folder> <build folder> <hardened: ON/OFF>
# (A build with the sanitizers is not hardened: lintian and the hardening
# checks are left out there.)
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")
hardened=${3:-ON}

. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1024x768 -- "$0" "$@"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
data=share/games/zindle-tavrin
metainfo=$src/packaging/de.zindlegames.ZindleTavrin.metainfo.xml

echo "== validators"
desktop-file-validate "$src/packaging/de.zindlegames.ZindleTavrin.desktop"
appstreamcli validate --no-net --strict "$metainfo"

echo "== the screenshots the AppStream data names are shipped, at the size it says"
shots=0
while read -r width height name; do
  shots=$((shots + 1))
  file=$src/packaging/screenshots/$name
  [ -f "$file" ] || fail "screenshot $name is not in packaging/screenshots"
  size=$(identify -format '%m %wx%h' "$file")
  [ "$size" = "PNG ${width}x${height}" ] || fail "$name is $size, the AppStream data says ${width}x${height}"
done < <(sed -n -E 's|.*<image type="source" width="([0-9]+)" height="([0-9]+)">https://[^<]*/([^/<]+)</image>.*|\1 \2 \3|p' \
  "$metainfo")
[ "$shots" -gt 0 ] || fail "the AppStream data names no screenshot"

# Starts a game and checks that its window shows a puzzle (many colours in the
# play area), from a folder that is not the game's.
runs_from_elsewhere() {
  local launcher=$1 home=$work/home-$2
  mkdir -p "$home/config/ZindleGames" "$home/data" "$home/runtime" "$work/elsewhere"
  chmod 700 "$home/runtime"
  printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\music=0\ncommon\\MainForm="200,0,1,10,10,510,376"\n' \
    > "$home/config/ZindleGames/ZindleTavrin.ini"
  (cd "$work/elsewhere" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
     XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
     exec "$launcher" >/dev/null 2>&1) &
  local pid=$!
  timeout 15 xdotool search --sync --name '^Zindle Tavrin V1\.2$' >/dev/null || fail "no window from $launcher"
  sleep 1
  import -window root -crop 500x333+10+43 "$work/shot-$2.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  local colours
  colours=$(identify -format '%k' "$work/shot-$2.png")
  echo "$2: the play area shows $colours colours"
  [ "$colours" -gt 200 ] || fail "$launcher shows no puzzle"
}

# The files a game tree must hold under its prefix $1.
check_layout() {
  local root=$1 f
  for f in games/zindle-tavrin $data/b1.bmp $data/b2.bmp $data/b3.bmp $data/b4.bmp $data/ZTAV.HLP \
           $data/makers.html share/man/man6/zindle-tavrin.6.gz share/doc/zindle-tavrin/copyright \
           share/doc/zindle-tavrin/changelog.Debian.gz \
           share/applications/de.zindlegames.ZindleTavrin.desktop \
           share/metainfo/de.zindlegames.ZindleTavrin.metainfo.xml \
           share/icons/hicolor/scalable/apps/de.zindlegames.ZindleTavrin.svg; do
    [ -f "$root/$f" ] || fail "$f is missing under $root"
  done
  for size in 16 24 32 48 64 128 256; do
    [ -f "$root/share/icons/hicolor/${size}x${size}/apps/de.zindlegames.ZindleTavrin.png" ] ||
      fail "icon $size missing under $root"
  done
  ls "$root/$data"/*.mid >/dev/null 2>&1 || fail "no tunes in $root/$data"
  for f in "$src"/packaging/screenshots/*.png; do
    cmp -s "$f" "$root/$data/screenshots/$(basename "$f")" || fail "$(basename "$f") not shipped"
  done
  [ ! -e "$root/$data/zindle-tavrin" ] || fail "a second program in the data folder"
  [ ! -e "$root/lib/zindle-tavrin" ] || fail "the old lib/zindle-tavrin folder is still made"
  [ -x "$root/games/zindle-tavrin" ] && [ ! -L "$root/games/zindle-tavrin" ] ||
    fail "games/zindle-tavrin is not the program itself"
  gzip -t "$root/share/man/man6/zindle-tavrin.6.gz" "$root/share/doc/zindle-tavrin/changelog.Debian.gz"
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man6/zindle-tavrin.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
}

echo "== install from source to a fresh prefix"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
check_layout "$prefix"
[ -x "$prefix/$data/uninstall.sh" ] || fail "no uninstaller beside the game's files"
grep -qx "$prefix/games/zindle-tavrin" "$prefix/$data/install_manifest.txt" ||
  fail "the manifest does not list the program"
runs_from_elsewhere "$prefix/games/zindle-tavrin" prefix

echo "== its uninstaller removes what the install wrote, and nothing else"
mkdir -p "$prefix/share/applications" "$prefix/$data/screenshots"
echo other >"$prefix/share/applications/another-game.desktop"
echo mine >"$prefix/$data/screenshots/mine.png"
"$prefix/$data/uninstall.sh" >/dev/null
left=$(cd "$prefix" && find . -type f -o -type l | sort)
[ "$left" = "./share/applications/another-game.desktop
./share/games/zindle-tavrin/screenshots/mine.png" ] || fail "after the uninstall: $left"
[ ! -e "$prefix/share/doc/zindle-tavrin" ] || fail "the emptied documents folder is left"

echo "== an install from source refuses the package's /usr"
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  as_user=()
fi
# Not the superuser: even a broken guard could not write into /usr.
if [ "$(id -u)" != 0 ] || [ ${#as_user[@]} -gt 0 ]; then
  status=0
  refusal=$(cd / && env -u DESTDIR "${as_user[@]}" cmake --install "$build" --prefix /usr \
    --component source-install 2>&1) || status=$?
  [ "$status" -ne 0 ] && grep -q 'belongs to the Debian package' <<<"$refusal" ||
    fail "an install from source to /usr went on: $refusal"
else
  echo "skipped: no way to run it without the superuser's rights"
fi

echo "== Debian package"
(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
echo "$(basename "$deb"): $(field Version), Installed-Size $(field Installed-Size)"
[ "$(field Package)" = zindle-tavrin ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
depends=$(field Depends)
echo "Depends: $depends"
# From dpkg-shlibdeps (with versions), and named for what is loaded at run time.
for d in 'libqt6widgets6 (>=' 'libqt6core6 (>=' 'libc6 (>=' 'libstdc++6 (>=' qt6-qpa-plugins \
         libsdl2-2.0-0 libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-dejavu-core fonts-liberation2; do
  grep -qF "$d" <<<"$depends" || fail "the package does not depend on $d"
done
contents=$(dpkg-deb -c "$deb")
grep -v ' root/root ' <<<"$contents" && fail "files not owned by root"
for f in uninstall.sh install_manifest.txt; do
  grep -q "/$f\$" <<<"$contents" && fail "the package holds the source install's $f"
done
dpkg-deb -x "$deb" "$work/root"
check_layout "$work/root/usr"
# Installed-Size is in KiB: at least the bytes of the files, at most what
# they take on a disk of 4 KiB blocks.
size=$(field Installed-Size)
bytes=$(find "$work/root" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
blocks=$(find "$work/root" -printf '%s\n' | awk '{ s += int(($1 + 4095) / 4096) * 4 } END { print s }')
[ "$size" -ge "$bytes" ] && [ "$size" -le "$blocks" ] ||
  fail "Installed-Size $size KiB, the files hold $bytes KiB and take up to $blocks KiB"

program=$work/root/usr/games/zindle-tavrin
sections=$(readelf -S -W "$program")
grep -qE ' \.(symtab|debug_info) ' <<<"$sections" && fail "the program is not stripped"
if [ "$hardened" = ON ]; then
  # (Read into variables first: grep -q ending a pipe early would fail it.)
  header=$(readelf -h "$program")
  segments=$(readelf -l -W "$program")
  dynamic=$(readelf -d -W "$program")
  symbols=$(readelf --dyn-syms -W "$program")
  grep -q 'Type:.*DYN' <<<"$header" || fail "the program is not position independent"
  grep -q GNU_RELRO <<<"$segments" || fail "no read-only relocations"
  grep -qE 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "no immediate binding"
  grep -qE '__[a-z_]+_chk' <<<"$symbols" || fail "no fortified functions"
  grep -q __stack_chk_fail <<<"$symbols" || fail "no stack protector"
fi
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)" = "Zindle Tavrin $(field Version | cut -d- -f1)" ] ||
  fail "the packaged program does not answer --version"

if [ "$hardened" = ON ]; then
  echo "== lintian"
  lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
  echo "-- pedantic and informational notes (not failures):"
  lintian --pedantic --display-info --tag-display-limit 0 "$deb" || true
fi

runs_from_elsewhere "$work/root/usr/games/zindle-tavrin" deb
echo "PASS"
