#!/usr/bin/env bash
# The whole program under a virtual X server with Qt's accessibility bridge on
# a private D-Bus session: every toolbar control, the clock and the play area
# are read through AT-SPI and must carry a name; the clock's name holds the
# time and the play area's name says puzzle and variant, in English and in
# German.
# usage: accessibility_test.sh <game executable>
set -euo pipefail
game=$1

# The Debian interpreter, which python3-pyatspi installs for.
py=/usr/bin/python3
if ! "$py" -c 'import pyatspi' 2>/dev/null || ! command -v dbus-run-session >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "SKIP: python3-pyatspi, dbus or at-spi2-core missing (scripts/setup.sh installs them)"
  exit 77
fi

. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$@"

if [ -z "${ZT_IN_DBUS:-}" ]; then
  exec env ZT_IN_DBUS=1 dbus-run-session -- "$0" "$@"
fi

zt_private_home
home=$ZT_HOME
pid=
bus=
stop() {
  # Only processes this script started; an empty id would mean the whole group.
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$bus" ]; then kill "$bus" 2>/dev/null || true; fi
  rm -rf "$home"
}
trap stop EXIT

# The accessibility bus of this session, which the reader finds through D-Bus.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0

check() {
  local tongue=$1 expected_play=$2 expected_mix=$3
  cat > "$home/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=2
common\tongue=$tongue
common\bhorz=5
common\bvert=3
common\MainForm="200,0,1,100,100,600,466"
INI
  "$game" &
  pid=$!
  timeout 10 xdotool search --sync --name '^Zindle Tavrin V1\.2$' >/dev/null
  sleep 1
  "$py" - "$expected_play" "$expected_mix" <<'PY'
import re, sys, time
import pyatspi

expected_play, expected_mix = sys.argv[1], sys.argv[2]

def find_app():
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and "zindle" in app.name.lower():
                return app
        time.sleep(0.2)
    return None

def walk(node, out):
    out.append(node)
    for child in node:
        if child is not None:
            walk(child, out)

app = find_app()
if app is None:
    print("FAIL: the game is not on the accessibility bus")
    sys.exit(1)
nodes = []
walk(app, nodes)
buttons = [n for n in nodes if n.getRoleName() in ("push button", "toggle button", "check box",
                                                   "radio button")]
failed = False
if len(buttons) < 15:
    print(f"FAIL: {len(buttons)} buttons found, the toolbar has 15")
    failed = True
for b in buttons:
    print(f"{b.getRoleName()}: {b.name!r} / {b.description!r}")
    if not b.name.strip():
        print("FAIL: a toolbar control without a name")
        failed = True
names = [n.name for n in nodes]
if expected_mix not in names:
    print(f"FAIL: no control named {expected_mix!r}")
    failed = True
if expected_play not in names:
    print(f"FAIL: no play area named {expected_play!r}")
    failed = True
clock = [n for n in names if re.fullmatch(r"(Time|Zeit): [0-9]+", n)]
if not clock:
    print(f"FAIL: no clock named with its time: {names!r}")
    failed = True
else:
    print(f"clock: {clock[0]!r}")
sys.exit(1 if failed else 0)
PY
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
}

check 0 "BOSS 5 x 3" "New game"
check 1 "BOSS 5 x 3" "Neues Spiel"
echo "PASS"
