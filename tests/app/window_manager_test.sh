#!/usr/bin/env bash
# The first minute on a 1366 x 768 laptop screen under a window manager
# (openbox), which draws a frame round every window and tells its size only
# once the window is on the screen:
# - the first start shows the whole window, frame and all, and the whole
#   language question;
# - the answer shows at once: the clock's label after "Ich spreche deutsch."
#   differs from the one after "I speak english." (screenshots compared);
# - the next start, from the position stored at the quit, shows the whole
#   window again, and so do the help window and the about box;
# - a stored position left of the screen (a screen unplugged) opens on it.
# Screenshots are left in the output folder. Skipped (exit 77) without openbox.
# usage: window_manager_test.sh <game executable> <output folder>
set -euo pipefail
game=$1
out=$2
mkdir -p "$out"
command -v openbox >/dev/null || { echo "openbox not installed"; exit 77; }
. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1366x768 -- "$0" "$@"
fail() {
  echo "FAIL: $*"
  import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}
screen_w=1366
screen_h=768

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
pid=
home=
# (An empty pid must not become "kill 0", which would end the whole process
# group, the test runner included.)
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true; kill $wm 2>/dev/null || true
      rm -rf "${home:-/nonexistent}"' EXIT
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"

# A window's outer rectangle, "left top width height": its client area as
# xwininfo reports it, grown by the frame the window manager announced.
outer() {
  local info x y w h l r t b
  info=$(xwininfo -id "$1")
  x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  w=$(awk '/Width:/ {print $2}' <<<"$info")
  h=$(awk '/Height:/ {print $2}' <<<"$info")
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ',')
  echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
}
client() {  # a window's client area, "left top width height"
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# Fails unless window $2 (named $1) lies wholly on the screen with a frame.
whole_on_screen() {
  local x y w h
  read -r x y w h < <(outer "$2")
  echo "$1: outer $x $y ${w}x$h"
  xprop -id "$2" _NET_FRAME_EXTENTS | grep -q ' = ' || fail "$1 has no frame from the window manager"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le $screen_w ] && [ $((y + h)) -le $screen_h ] ||
    fail "$1 at $x $y ${w}x$h is not wholly on the ${screen_w}x$screen_h screen"
}
# The visible window titled $1 whose client is $2 (WxH); waits for it.
find_window() {
  local id
  for _ in $(seq 80); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      read -r _ _ w h < <(client "$id")
      [ "${w}x$h" = "$2" ] && { echo "$id"; return; }
    done
    sleep 0.1
  done
}
# Waits until window $1 stays where it is (the frame arrives, the window is
# placed once more).
settle() {
  local before now
  before=$(outer "$1")
  for _ in $(seq 20); do
    sleep 0.25
    now=$(outer "$1")
    [ "$now" = "$before" ] && return
    before=$now
  done
}
# Waits until the splash (200 x 150, modal) has closed: until then the main
# window takes no clicks.
splash_gone() {
  local id w h found
  for _ in $(seq 100); do
    found=
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      read -r _ _ w h < <(client "$id")
      [ "${w}x$h" = 200x150 ] && found=1
    done
    [ -z "$found" ] && return
    sleep 0.1
  done
  fail "the splash did not close"
}
ini() { echo "$home/config/ZindleGames/ZindleTavrin.ini"; }
start() {
  "$game" &
  pid=$!
  main=$(find_window '^Zindle Tavrin V1\.2$' 500x366)
  [ -n "$main" ] || fail "no main window"
  settle "$main"
}
quit() {  # the exit button, then Yes
  local x y
  splash_gone
  read -r x y _ _ < <(client "$main")
  xdotool mousemove $((x + 160)) $((y + 16)) click 1
  sleep 0.7
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  pid=
}

# One first start; $1 is the answer: english or german.
first_start() {
  local answer=$1 question x y
  zt_private_home
  home=$ZT_HOME
  start
  whole_on_screen "main window, first start" "$main"
  # The splash closes by itself within 3 seconds (a click there might land on
  # the question if the splash has already gone).
  question=$(find_window '^Zindle Tavrin V1\.2$' 320x91)
  [ -n "$question" ] || fail "no language question"
  settle "$question"
  whole_on_screen "language question" "$question"
  import -window root "$out/$answer-question.png"
  read -r x y _ _ < <(client "$question")
  if [ "$answer" = german ]; then
    xdotool mousemove $((x + 194)) $((y + 61)) click 1
  else
    xdotool mousemove $((x + 194)) $((y + 29)) click 1
  fi
  sleep 0.5
  read -r x y _ _ < <(client "$main")
  import -window root -crop 33x16+$((x + 280))+$((y + 12)) +repage "$out/$answer-time-label.png"
}

first_start english
quit
rm -rf "$home"
first_start german
differing=$(compare -metric AE "$out/english-time-label.png" "$out/german-time-label.png" null: 2>&1 || true)
echo "pixels that differ between the English and the German clock label: $differing"
[ "$differing" -gt 20 ] || fail "the clock's label did not follow the answer at once"
quit
stored=$(grep -o 'MainForm=.*' "$(ini)" || true)
echo "stored at the quit: $stored"
[ -n "$stored" ] || fail "no window position stored"

# The next start goes back there, wholly on the screen, as do the help window
# and the about box.
start
whole_on_screen "main window, second start" "$main"
import -window root "$out/second-start.png"
splash_gone
read -r x y _ _ < <(client "$main")
xdotool mousemove $((x + 430)) $((y + 16)) click 1
help=$(xdotool search --sync --onlyvisible --name '^Zindle Tavrin - Hilfe$' | head -n 1)
settle "$help"
whole_on_screen "help window" "$help"
import -window root "$out/help.png"
xdotool windowactivate --sync "$main" 2>/dev/null || true
read -r x y _ _ < <(client "$main")
xdotool mousemove $((x + 454)) $((y + 16)) click 1
about=$(xdotool search --sync --onlyvisible --name 'ber Zindle Tavrin$' | head -n 1)
settle "$about"
whole_on_screen "about box" "$about"
import -window root "$out/about.png"
xdotool key Return
sleep 0.3
quit

# A position stored on a screen that is gone, far to the left.
sed -i 's/^common\\MainForm=.*/common\\MainForm="200,0,1,-1800,100,-1298,487"/' "$(ini)"
start
whole_on_screen "main window, stored left of the screen" "$main"
read -r x _ _ _ < <(outer "$main")
[ "$x" -eq 0 ] || fail "the window from the left did not come to the left edge ($x)"
import -window root "$out/from-the-left.png"
quit
echo "PASS"
