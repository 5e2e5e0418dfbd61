#pragma once

#include <QString>
#include <Qt>
#include <optional>
#include <span>

namespace zt {

// What the main window does itself with a key, before any puzzle sees it.
enum class Command {
  HoldForCommand,  // Ctrl alone, or a modifier added to it: a command key begun
  NewGame,
  NextVariant,
  PreviousVariant,
  SelectCrux,
  SelectTilz,
  SelectBoss,
  SelectTransit,
  Undo,
  Redo,
  Restart,
  Pause,
  BestTimes,
  Quit,
  Help,
  Hint,   // the next move marked
  Solve,  // the whole solution played
};

// One command key: the key with exactly these modifiers held (the keypad's
// own flag aside, so that its digits count as well).
struct CommandKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  Command command;
};

// Every command key of the game, one row each.
std::span<const CommandKey> CommandKeys();

// The command a key press gives, or nothing: then the key goes to the puzzle.
std::optional<Command> CommandFor(int key, Qt::KeyboardModifiers modifiers);

// A key as the help and the player name it: "Ctrl+Shift+Z" or
// "Strg+Umschalt+Z", "Page Down" or "Bild ab".
QString KeyName(const CommandKey& key, bool german);

}  // namespace zt
