#!/usr/bin/env bash
# The include directions between the folders: dependencies point one way,
#   puzzles <- core <- ui <- highscore <- app,
# and the plain C++ parts of the puzzles (the contract, the rules, the
# catalog) include nothing of Qt and no drawing code. (That no Qt is linked
# into them is checked when the build is configured, cmake/ZtLayers.cmake.)
# The checker first proves on a made-up tree that it finds each kind of
# wrong include, then checks the real one.
# usage: layers_test.sh <source root>
set -euo pipefail
root=$1

# folder (or file pattern), then the include paths it must not use (an
# extended regular expression over the quoted path or the <...> name)
rules=(
  'puzzles/|^"(app|core|ui|highscore)/'
  'core/|^"(app|ui|highscore)/|^"puzzles/.*View\.h"|^"puzzles/catalog/PuzzleViews\.h"'
  'ui/|^"(app|highscore)/'
  'highscore/|^"app/'
  'app/host/|^"app/(window|startup|help|sound)/'
)
# Plain C++ files: no Qt header, no canvas, no view.
plain_files='puzzles/core/(FrameDriver|Random|Puzzle|HostServices|PlayState|SoundEffect)\.(h|cpp)$|puzzles/[a-z]+/[A-Z][a-z]+Rules\.(h|cpp)$|puzzles/catalog/PuzzleCatalog\.(h|cpp)$'
plain_forbidden='^<Q|^<qt|^"puzzles/core/Canvas\.h"|^"puzzles/.*View(s)?\.h"'

# Prints "file: include" for every forbidden include under the tree $1.
check() {
  local tree=$1 rule folder forbidden file
  for rule in "${rules[@]}"; do
    folder=${rule%%|*}
    forbidden=${rule#*|}
    [ -d "$tree/$folder" ] || continue
    while IFS= read -r file; do
      includes "$tree" "$file" | grep -E "$forbidden" | sed "s|^|$file: |" || true
    done < <(cd "$tree" && find "$folder" -name '*.h' -o -name '*.cpp' | sort)
  done
  while IFS= read -r file; do
    includes "$tree" "$file" | grep -E "$plain_forbidden" | sed "s|^|$file (plain C++): |" || true
  done < <(cd "$tree" && find puzzles -name '*.h' -o -name '*.cpp' 2>/dev/null | grep -E "$plain_files" | sort)
}
includes() {
  sed -n -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]*[>"]).*/\1/p' "$1/$2"
}

# The made-up tree: one wrong include of each kind, one right one.
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
mkdir -p "$fake"/{puzzles/core,puzzles/boss,puzzles/catalog,core,ui,highscore,app/host}
printf '#include "app/window/MainWindow.h"\n' >"$fake/highscore/List.cpp"
printf '#include "highscore/HighscoreDialog.h"\n' >"$fake/ui/Kit.h"
printf '#include "puzzles/boss/BossView.h"\n#include "puzzles/catalog/PuzzleCatalog.h"\n' \
  >"$fake/core/Settings.cpp"
printf '#include "core/Language.h"\n' >"$fake/puzzles/boss/BossView.cpp"
printf '#include <QPoint>\n#include <array>\n' >"$fake/puzzles/boss/BossRules.h"
printf '#include "puzzles/core/Canvas.h"\n' >"$fake/puzzles/core/FrameDriver.cpp"
printf '#include "app/window/MainWindow.h"\n' >"$fake/app/host/Host.cpp"
printf '#include "puzzles/core/Canvas.h"\n#include <QImage>\n' >"$fake/puzzles/boss/BossView.h"
found=$(check "$fake")
expected='highscore/List.cpp: "app/window/MainWindow.h"
ui/Kit.h: "highscore/HighscoreDialog.h"
core/Settings.cpp: "puzzles/boss/BossView.h"
puzzles/boss/BossView.cpp: "core/Language.h"
app/host/Host.cpp: "app/window/MainWindow.h"
puzzles/boss/BossRules.h (plain C++): <QPoint>
puzzles/core/FrameDriver.cpp (plain C++): "puzzles/core/Canvas.h"'
if [ "$(sort <<<"$found")" != "$(sort <<<"$expected")" ]; then
  printf 'FAIL: the checker itself is wrong. It found:\n%s\nexpected:\n%s\n' "$found" "$expected"
  exit 1
fi

found=$(check "$root")
if [ -n "$found" ]; then
  printf 'FAIL: includes against the layers:\n%s\n' "$found"
  exit 1
fi
echo "layers: every include points the right way"
