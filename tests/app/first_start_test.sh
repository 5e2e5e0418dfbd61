#!/usr/bin/env bash
# The first start of the real program, with no settings: the window opens at
# its design place, the splash shows and closes on a click, the language
# question follows; the chosen language is used by the next dialog (the quit
# question, compared between a German and an English run) and stored at the
# confirmed quit.
# usage: first_start_test.sh <game executable> <output folder>
set -euo pipefail
game=$1
out=$2
mkdir -p "$out"
. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$@"
fail() { echo "FAIL: $*"; exit 1; }

geometry() {  # window id -> "left top width height"
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# One first start; $1 is the button to choose: english or german.
first_start() {
  local choice=$1 home
  zt_private_home
  home=$ZT_HOME
  "$game" &  # nothing stored: a first start
  local pid=$!
  local main
  main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zindle Tavrin V1\.2$' | head -n 1)
  read -r mx my mw mh < <(geometry "$main")
  [ "$mx $my $mw $mh" = "672 547 500 366" ] || fail "main window at $mx $my $mw $mh"
  sleep 0.5
  import -window root "$out/$choice-splash.png"
  xdotool mousemove 640 512 click 1  # the splash, in the middle of the screen

  # The language question: a 320 x 91 window with the game's caption.
  local dialog="" id
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --name '^Zindle Tavrin V1\.2$'); do
      read -r _ _ w h < <(geometry "$id")
      [ "$w $h" = "320 91" ] && dialog=$id
    done
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no language question after the splash"
  read -r dx dy _ _ < <(geometry "$dialog")
  import -window root "$out/$choice-question.png"
  if [ "$choice" = german ]; then
    xdotool mousemove $((dx + 84 + 110)) $((dy + 48 + 13)) click 1
  else
    xdotool mousemove $((dx + 84 + 110)) $((dy + 16 + 13)) click 1
  fi
  sleep 0.5

  # The quit question, centred on the main window.
  xdotool mousemove $((mx + 160)) $((my + 16)) click 1
  sleep 0.7
  import -window root -crop 250x125+$((mx + 125))+$((my + 120)) +repage "$out/$choice-quit.png"
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit after Yes"
  local stored
  stored=$(grep -o 'tongue=.*' "$home/config/ZindleGames/ZindleTavrin.ini" || true)
  echo "$choice: stored $stored"
  rm -rf "$home"
  [ "$stored" = "tongue=$2" ] || fail "$choice stored as '$stored'"
}

first_start english 0
first_start german 1
# The quit questions look alike but for their texts.
differing=$(compare -metric AE "$out/english-quit.png" "$out/german-quit.png" null: 2>&1 || true)
echo "pixels that differ between the English and the German quit question: $differing"
[ "$differing" -gt 200 ] || fail "the quit question did not change its language"
echo "PASS"
