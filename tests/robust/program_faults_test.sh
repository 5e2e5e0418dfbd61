#!/usr/bin/env bash
# The real program under a virtual X server, facing faults from outside:
#  - a folder where the settings file should be: the game starts with the
#    defaults; at the quit it says once that the settings could not be saved,
#    and ends;
#  - settings of every wrong type: the defaults, and plain values after the quit;
#  - a settings file it may neither read nor write (as an unprivileged user
#    when run by the superuser, for whom permissions do not count);
#  - an atlas claiming 20000 x 20000 pixels: the message naming the picture file, no picture
#    made for it, the end with status 1 and the settings untouched;
#  - two copies running at once and quit one after the other: the last quit
#    wins and the file stays whole, as the next start shows.
# Screenshots of failures are left in the output folder.
# usage: program_faults_test.sh <game executable> <output folder>
set -euo pipefail
game=$(realpath "$1")
out=$2
mkdir -p "$out"

# -ac: an unprivileged copy of the game may use the display as well.
. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -ac -- "$0" "$@"

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
failures=0
started=0

fail() {
  echo "FAIL: $*"
  import -window root "$out/failure-$failures.png" 2>/dev/null || true
  local log
  for log in "${home:-/nonexistent}"/out*.log; do
    [ -s "$log" ] && { echo "--- $log"; tail -n 20 "$log"; }
  done
  failures=$((failures + 1))
}

# A fresh home: sets HOME and friends, prints the settings file's path.
new_home() {
  local home=$work/home-$1
  mkdir -p "$home/config/ZindleGames" "$home/runtime"
  chmod 700 "$home/runtime"
  echo "$home"
}

# The visible windows of a process, one id a line.
windows_of() {
  xdotool search --onlyvisible --pid "$1" 2>/dev/null || true
}
wait_for() {  # seconds command...: true once the command succeeds
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
main_window_of() {  # pid -> the main window's id, once it is shown
  local w
  for w in $(windows_of "$1"); do
    if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Zindle Tavrin V1.2" ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}
has_main_window() { main_window_of "$1" >/dev/null; }
position_of() {  # window -> "left top"
  local info
  info=$(xwininfo -id "$1")
  echo "$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info") $(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")"
}
# Another window of the process than its main window (a dialog), if any.
other_window_of() {
  local main w
  main=$(main_window_of "$1" || true)
  for w in $(windows_of "$1"); do
    [ "$w" != "$main" ] && echo "$w" && return 0
  done
  return 1
}
has_other_window() { other_window_of "$1" >/dev/null; }
press_in() {  # window key: the key goes to that window
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.1
  xdotool key "$2"
}
is_gone() { ! kill -0 "$1" 2>/dev/null; }

# Starts the game with the given home; sets $pid and $wid.
start_game() {  # home [runner...]
  local home=$1
  shift
  local attempt
  for attempt in 1 2; do
    started=$((started + 1))
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime "$@" "$game" \
      >"$home/out.$started.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    wait_for 15 has_main_window "$pid" && break
    # Once, under load, the X server refused a copy's connection while it
    # still served the script's own tools: that is the test machine's fault,
    # not the game's, and gets one more try.
    if [ $attempt = 1 ] && is_gone "$pid" &&
      grep -q "could not connect to display" "$home/out.$started.log"; then
      echo "the X server refused the game's connection; starting it again"
      continue
    fi
    fail "no main window"
    return 1
  done
  wid=$(main_window_of "$pid")
  # Whatever the game shows first by itself (a splash, the language question)
  # is sent away, so that only the main window is left.
  local deadline=$((SECONDS + 8)) w
  sleep 0.5
  while w=$(other_window_of "$pid"); do
    [ $SECONDS -lt $deadline ] || { fail "a start-up window stays"; return 1; }
    press_in "$w" Escape
    sleep 0.3
  done
}

# Quits through the exit button and the quit question (answered with
# Return); a failure message, if one comes, is confirmed too. Sets $messages
# to the number of failure messages and $status to the exit status.
new_window_of() {  # pid, windows shown before -> a window shown since
  local w
  for w in $(windows_of "$1"); do
    grep -qx "$w" <<<"$2" || { echo "$w"; return 0; }
  done
  return 1
}
quit_game() {
  local left top question before
  read -r left top < <(position_of "$wid")
  before=$(windows_of "$pid")
  xdotool mousemove $((left + 160)) $((top + 16)) click 1
  if ! wait_for 5 new_window_of "$pid" "$before" >/dev/null; then
    fail "no quit question"
    return 1
  fi
  question=$(new_window_of "$pid" "$before")
  press_in "$question" Return
  messages=0
  local deadline=$((SECONDS + 10)) box
  while ! is_gone "$pid"; do
    [ $SECONDS -lt $deadline ] || { fail "the game did not end"; return 1; }
    box=$(xdotool search --all --onlyvisible --pid "$pid" --name '^(Fehler|Error)$' 2>/dev/null | head -n 1 || true)
    if [ -n "$box" ]; then
      messages=$((messages + 1))
      press_in "$box" Return
      wait_for 3 bash -c "! xdotool search --all --onlyvisible --pid $pid --name '^(Fehler|Error)$' >/dev/null 2>&1" || true
    fi
    sleep 0.1
  done
  status=0
  wait "$pid" || status=$?
}

# ---- a folder where the settings file should be ---------------------------
home=$(new_home folder)
mkdir -p "$home/config/ZindleGames/ZindleTavrin.ini"
if start_game "$home"; then
  [ "$(position_of "$wid")" = "672 547" ] || fail "settings folder: not at the design position"
  if quit_game; then
    [ "$messages" = 1 ] || fail "settings folder: $messages messages at the quit, expected 1"
    [ "$status" = 0 ] || fail "settings folder: exit status $status"
    grep -q "could not be saved" "$home"/out.*.log || fail "settings folder: no word of the failure"
    echo "settings folder: started with the defaults, one message at the quit, ended"
  fi
fi

# ---- settings of every wrong type ----------------------------------------
home=$(new_home types)
ini=$home/config/ZindleGames/ZindleTavrin.ini
cat > "$ini" <<'INI'
[V1]
common\tongue=@Variant(\0\0\0\x7f\0\0\0\0)
common\mode=@Rect(2 2 2 2)
common\cmode="3, 4"
common\bhorz=4, 6
common\bvert=@ByteArray(4)
common\tmode=0x10
common\zmode=1e1
common\sound=@Invalid()
common\music=99999999999999999999
common\MainForm=@Point(10 10)
highscore\crux020=@ByteArray(\xff\xfe)
INI
if start_game "$home"; then
  [ "$(position_of "$wid")" = "672 547" ] || fail "wrong types: not at the design position"
  if quit_game; then
    [ "$messages" = 0 ] || fail "wrong types: $messages failure messages"
    for pair in mode=0 cmode=2 bhorz=5 bvert=3 tmode=1 zmode=1 sound=1 music=1 tongue=-1; do
      grep -qx "common\\\\$pair" "$ini" || fail "wrong types: no common\\$pair after the quit"
    done
    echo "wrong types: started with the defaults, plain values written at the quit"
  fi
fi

# ---- a settings file that may be neither read nor written --------------------
runner=()
if [ "$(id -u)" = 0 ]; then
  runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
home=$(new_home locked)
ini=$home/config/ZindleGames/ZindleTavrin.ini
printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\MainForm="200,0,1,100,100,600,466"\n' >"$ini"
chmod 000 "$ini"
if [ ${#runner[@]} -gt 0 ]; then chown -R 65534:65534 "$home"; fi
if [ ${#runner[@]} -gt 0 ] && ! "${runner[@]}" test -x "$game"; then
  echo "locked file: skipped, the game is out of an unprivileged user's reach"
elif start_game "$home" "${runner[@]}"; then
  [ "$(position_of "$wid")" = "672 547" ] || fail "locked file: not at the design position"
  if quit_game; then
    [ "$messages" = 1 ] || fail "locked file: $messages messages at the quit, expected 1"
    [ "$status" = 0 ] || fail "locked file: exit status $status"
    echo "locked file: started with the defaults, one message at the quit, ended"
  fi
fi

# ---- an atlas that claims 20000 x 20000 pixels ------------------------------
program=$work/program
mkdir -p "$program"
cp "$game" "$(dirname "$game")"/b?.bmp "$program/"
# A bitmap header for 20000 x 20000 pixels of 24 bits, and no pixels.
printf 'BM\x36\x10\x0e\x4a\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x20\x4e\x00\x00\x20\x4e\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x00\x00\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  >"$program/b1.bmp"
home=$(new_home atlas)
ini=$home/config/ZindleGames/ZindleTavrin.ini
printf '[V1]\ncommon\\mode=0\ncommon\\tongue=0\n' >"$ini"
before=$(md5sum <"$ini")
HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime "$program/zindle-tavrin" \
  >"$home/out.log" 2>&1 &
pid=$!
pids+=("$pid")
if wait_for 15 bash -c "xdotool search --all --onlyvisible --pid $pid --name '^Error\$' >/dev/null 2>&1"; then
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  # A picture of that size would take 1.6 GB.
  [ "$peak" -lt 600000 ] || fail "atlas: peak resident memory ${peak} kB"
  press_in "$(xdotool search --all --onlyvisible --pid "$pid" --name '^Error$' | head -n 1)" Return
  if wait_for 10 is_gone "$pid"; then
    status=0
    wait "$pid" || status=$?
    [ "$status" = 1 ] || fail "atlas: exit status $status, expected 1"
    [ "$(md5sum <"$ini")" = "$before" ] || fail "atlas: the settings were written"
    echo "atlas of 20000 x 20000: picture file message (peak ${peak} kB resident), ended with status 1"
  else
    fail "atlas: the game did not end after the message"
  fi
else
  fail "atlas: no message naming the picture file"
fi

# ---- damaged music files and help document ---------------------------------
# Music on, and every tune in the folder unplayable: garbage, a cut-off tune,
# an empty file, a header that promises 65535 tracks, and a folder by a tune's
# name; the help document random bytes. The game starts, the help opens, and
# the game still answers and ends.
program=$work/damaged
mkdir -p "$program/e.mid"
cp "$game" "$(dirname "$game")"/b?.bmp "$program/"
head -c 5000 /dev/urandom >"$program/a.mid"
first_tune=$(ls "$(dirname "$game")"/*.mid 2>/dev/null | head -n 1 || true)
if [ -n "$first_tune" ]; then head -c 300 "$first_tune" >"$program/b.mid"; fi
: >"$program/c.mid"
printf 'MThd\x00\x00\x00\x06\x00\x01\xff\xff\x00\x60' >"$program/d.mid"
head -c 200000 /dev/urandom >"$program/ZTAV.HLP"
home=$(new_home damaged)
printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\music=1\ncommon\\MainForm="200,0,1,100,100,600,466"\n' \
  >"$home/config/ZindleGames/ZindleTavrin.ini"
real_game=$game
game=$program/zindle-tavrin
if start_game "$home"; then
  sleep 1
  read -r left top < <(position_of "$wid")
  xdotool mousemove $((left + 430)) $((top + 16)) click 1
  if wait_for 10 bash -c "xdotool search --all --onlyvisible --pid $pid --name '^Zindle Tavrin - Help\$' >/dev/null 2>&1"; then
    if quit_game; then
      [ "$messages" = 0 ] || fail "damaged files: $messages failure messages"
      [ "$status" = 0 ] || fail "damaged files: exit status $status"
      grep -q "a.mid skipped" "$home"/out.*.log || fail "damaged files: the music never tried a.mid"
      echo "damaged music and help: the game started, showed the help, and ended"
    fi
  else
    fail "damaged files: no help window"
  fi
fi
game=$real_game

# ---- two copies at once ----------------------------------------------------
home=$(new_home two)
ini=$home/config/ZindleGames/ZindleTavrin.ini
printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\MainForm="200,0,1,100,100,600,466"\n' >"$ini"
# Starts both, places them apart, and turns the sound off in the one named.
two_copies() {  # which copy turns the sound button over: a or b
  start_game "$home" || return 1
  pid_a=$pid wid_a=$wid
  start_game "$home" || return 1
  pid_b=$pid wid_b=$wid
  xdotool windowmove --sync "$wid_a" 40 60
  xdotool windowmove --sync "$wid_b" 640 60
  sleep 0.3
  local w
  [ "$1" = a ] && w=$wid_a || w=$wid_b
  local left top
  read -r left top < <(position_of "$w")
  xdotool mousemove $((left + 88)) $((top + 16)) click 1
  sleep 0.3
}
check_file() {  # round, expected left, expected sound
  local key
  for key in mode cmode bhorz bvert tmode zmode sound music tongue MainForm; do
    [ "$(grep -c "^common\\\\$key=" "$ini")" = 1 ] || fail "two copies, $1: common\\$key not once"
  done
  [ "$(grep -c '^\[V1\]$' "$ini")" = 1 ] || fail "two copies, $1: the section twice"
  grep -q "^common\\\\MainForm=\"200,0,1,$2," "$ini" || fail "two copies, $1: not the last one's position"
  grep -qx "common\\\\sound=$3" "$ini" || fail "two copies, $1: not the last one's sound setting"
  ! ls "$(dirname "$ini")"/*.lock >/dev/null 2>&1 || fail "two copies, $1: a lock file is left"
}
# Round 1: the second copy turns the sound off and quits last.
if two_copies b; then
  wid=$wid_a pid=$pid_a quit_game && [ "$messages" = 0 ] || fail "two copies: copy A's quit"
  wid=$wid_b pid=$pid_b quit_game && [ "$messages" = 0 ] || fail "two copies: copy B's quit"
  check_file "first round" 640 0
  # Round 2: both start where the file says; the first copy turns the sound
  # back on and quits last.
  if two_copies a; then
    wid=$wid_b pid=$pid_b quit_game || true
    wid=$wid_a pid=$pid_a quit_game || true
    check_file "second round" 40 1
    echo "two copies: the last quit won both times, the file stayed whole"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failures; screenshots in $out"
  exit 1
fi
echo "PASS"
