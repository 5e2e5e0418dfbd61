#!/usr/bin/env bash
# A start without the start puzzle's picture file: the real program shows one
# error box, captioned in the player's language (on a first start, the
# system's), and ends without writing anything. The game is copied alone into
# a folder of its own, so that no atlas lies beside it. Screenshots of the
# boxes are left in the output folder.
# usage: start_failure_test.sh <game executable> <output folder>
set -euo pipefail
game=$1
out=$2
mkdir -p "$out"
. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1024x768 -- "$0" "$@"
fail() { echo "FAIL: $*"; exit 1; }

alone=$(mktemp -d)
trap 'rm -rf "$alone" "${home:-/nonexistent}"' EXIT
cp "$game" "$alone/"
lonely_game=$alone/$(basename "$game")

# $1 a name for the case, $2 the stored language (empty: a first start),
# $3 the system's locale, $4 the caption expected.
case_of() {
  local name=$1 tongue=$2 locale=$3 caption=$4 box pid status
  zt_private_home
  home=$ZT_HOME
  [ -z "$tongue" ] || printf '[V1]\ncommon\\tongue=%s\n' "$tongue" >"$home/config/ZindleGames/ZindleTavrin.ini"
  local before
  before=$(find "$home/config" -type f -exec cat {} + | md5sum)
  env -u LC_MESSAGES LC_ALL= LANG="$locale" "$lonely_game" 2>"$out/$name.log" &
  pid=$!
  box=$(timeout 10 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n 1 || true)
  if [ -z "$box" ]; then
    kill "$pid" 2>/dev/null || true
    fail "$name: no box captioned '$caption'"
  fi
  sleep 0.3
  import -window root "$out/$name.png"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  status=0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "$name: the game went on after the box"; }
  wait "$pid" || status=$?
  [ "$status" -ne 0 ] || fail "$name: the game ended as if all was well"
  grep -q "b1.bmp" "$out/$name.log" || fail "$name: the report does not name b1.bmp"
  [ "$(find "$home/config" -type f -exec cat {} + | md5sum)" = "$before" ] ||
    fail "$name: settings were written"
  echo "$name: '$caption', exit status $status, nothing written"
  rm -rf "$home"
}

case_of first-start-german "" de_DE.UTF-8 Fehler
case_of first-start-english "" en_US.UTF-8 Error
case_of german-chosen 1 en_US.UTF-8 Fehler
case_of english-chosen 0 de_DE.UTF-8 Error
echo "PASS"
