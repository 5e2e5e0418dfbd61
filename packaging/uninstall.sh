#!/bin/sh
# Removes an install of Zindle Tavrin made from source (cmake --install): the
# files listed in install_manifest.txt beside this script, which the install
# wrote, and then the game's own folders once they are empty. Files the game
# did not install, a Debian package's among them, are left alone.
# usage: <prefix>/share/games/zindle-tavrin/uninstall.sh (with sudo where the
# prefix needs it)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
manifest=$here/install_manifest.txt
if [ ! -f "$manifest" ]; then
  echo "uninstall.sh: no $manifest: nothing to remove" >&2
  exit 1
fi
folders=""
while IFS= read -r file; do
  [ -n "$file" ] || continue
  if [ -f "$file" ] || [ -L "$file" ]; then
    rm -f -- "$file"
    echo "Removed: $file"
  fi
  case $(dirname "$file") in
    */zindle-tavrin | */zindle-tavrin/*) folders="$(dirname "$file")
$folders" ;;
  esac
done <"$manifest"
# Deepest first, and only when empty: whatever else lies there stays.
printf '%s\n' "$folders" | sort -ru | while IFS= read -r folder; do
  [ -n "$folder" ] && rmdir -- "$folder" 2>/dev/null || true
done
