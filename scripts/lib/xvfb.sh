# Shared by the scripts that run the real game on a virtual X server (tests,
# benchmarks, screenshots). Source it, then:
#   zt_in_xvfb <width>x<height> [server options] -- "$0" "$@"
# re-runs the script inside a virtual X server of its own and returns at once
# when it is already running there;
#   zt_private_home
# makes a throw-away home with config, data and runtime folders (ZT_HOME), points the
# game's settings there and picks the X11 platform and a silent sound driver.

zt_in_xvfb() {
  local screen=$1
  shift
  local options=()
  while [ "$1" != "--" ]; do
    options+=("$1")
    shift
  done
  shift
  if [ -n "${ZT_IN_XVFB:-}" ]; then
    unset ZT_IN_XVFB
    return 0
  fi
  # The display number is searched from a random start: xvfb-run -a started
  # at the same moment by another test picks the same number, and the losing
  # server removes the winner's socket, so that later clients cannot connect.
  exec env ZT_IN_XVFB=1 xvfb-run -a -n $((200 + RANDOM % 700)) \
    -s "-screen 0 ${screen}x24 ${options[*]}" "$@"
}

zt_private_home() {
  ZT_HOME=$(mktemp -d)
  mkdir -p "$ZT_HOME/config/ZindleGames" "$ZT_HOME/runtime"
  chmod 700 "$ZT_HOME/runtime"
  export HOME=$ZT_HOME XDG_CONFIG_HOME=$ZT_HOME/config XDG_DATA_HOME=$ZT_HOME/data \
    XDG_RUNTIME_DIR=$ZT_HOME/runtime
  export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
}
