#pragma once

// The sections and keys of the settings store, spelled exactly as they have
// always been stored: players' files depend on them. The variants' keys are
// in each puzzle's catalog entry.
namespace zt::settings {

// Section "common": the game's settings and the window position.
inline constexpr char kCommonSection[] = "common";
inline constexpr char kLanguageKey[] = "tongue";
inline constexpr char kPuzzleKey[] = "mode";
inline constexpr char kSoundKey[] = "sound";
inline constexpr char kMusicKey[] = "music";
inline constexpr char kWindowPositionKey[] = "MainForm";

// Section "highscore": the lists and the last player's name.
inline constexpr char kHighscoreSection[] = "highscore";
inline constexpr char kPlayerKey[] = "player";

// Section "view": how large the window is shown.
inline constexpr char kViewSection[] = "view";
inline constexpr char kZoomKey[] = "zoom";

}  // namespace zt::settings
