#!/usr/bin/env bash
# Runs a test program as the unprivileged user "nobody", so that its cases
# about files the game may not read or write really run: file permissions do
# not count for the superuser, who skips them. Skipped (77) when not run by
# the superuser (the test's own run covers them then) or when the program is
# out of nobody's reach.
# usage: as_unprivileged.sh <test program> [arguments...]
set -euo pipefail
if [ "$(id -u)" != 0 ]; then
  echo "not the superuser: the test's own run has its permission cases"
  exit 77
fi
command -v setpriv >/dev/null || { echo "setpriv is missing"; exit 77; }
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_nobody[@]}" test -x "$1" || { echo "$1 is out of an unprivileged user's reach"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chown 65534:65534 "$work"
cd "$work"
HOME=$work TMPDIR=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime \
  "${as_nobody[@]}" "$@"
