#pragma once

#include <QString>

namespace zt {

// The folder the game reads its atlases, tunes, help document and makers'
// page from, with a trailing '/'. In the build tree these files lie beside
// the program; installed, the program lies in <prefix>/games and its files in
// <prefix>/share/games/zindle-tavrin, which is taken whenever it exists
// relative to programDir (the folder of the running program).
// Called once at start.
QString FindGameFolder(const QString& programDir);

// The player's own music folder, $XDG_DATA_HOME/zindle-tavrin/music
// (~/.local/share/zindle-tavrin/music by default): an installed game cannot
// write into its own folder, so tunes the player adds go here. Empty when the
// system names no data folder.
QString UserMusicFolder();

}  // namespace zt
