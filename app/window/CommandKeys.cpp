#include "app/window/CommandKeys.h"

#include <QKeySequence>
#include <array>

namespace zt {

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

constexpr std::array kCommandKeys{
    CommandKey{Qt::Key_F2, kNone, Command::NewGame},
    CommandKey{Qt::Key_PageDown, kNone, Command::NextVariant},
    CommandKey{Qt::Key_PageUp, kNone, Command::PreviousVariant},
    CommandKey{Qt::Key_1, kCtrl, Command::SelectCrux},
    CommandKey{Qt::Key_2, kCtrl, Command::SelectTilz},
    CommandKey{Qt::Key_3, kCtrl, Command::SelectBoss},
    CommandKey{Qt::Key_4, kCtrl, Command::SelectTransit},
    CommandKey{Qt::Key_Z, kCtrl, Command::Undo},
    CommandKey{Qt::Key_Z, kCtrlShift, Command::Redo},
    CommandKey{Qt::Key_Y, kCtrl, Command::Redo},
    CommandKey{Qt::Key_R, kCtrl, Command::Restart},
    CommandKey{Qt::Key_P, kCtrl, Command::Pause},
    CommandKey{Qt::Key_B, kCtrl, Command::BestTimes},
    CommandKey{Qt::Key_Q, kCtrl, Command::Quit},
    CommandKey{Qt::Key_F1, kNone, Command::Help},
    CommandKey{Qt::Key_H, kNone, Command::Hint},
    CommandKey{Qt::Key_H, kShift, Command::Solve},
};

// Flags that do not make a key another key.
constexpr Qt::KeyboardModifiers kIgnored = Qt::KeypadModifier | Qt::GroupSwitchModifier;

bool IsModifierKey(int key) {
  return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

}  // namespace

std::span<const CommandKey> CommandKeys() {
  return kCommandKeys;
}

std::optional<Command> CommandFor(int key, Qt::KeyboardModifiers modifiers) {
  // The Ctrl key itself, and Shift or Alt pressed while Ctrl is held, only
  // begin a command key; as keys of their own they would start CRUX's clock.
  if (IsModifierKey(key) && (key == Qt::Key_Control || modifiers.testFlag(Qt::ControlModifier)))
    return Command::HoldForCommand;
  // Shift alone begins Shift+H, which must not start CRUX's clock or end a
  // hint before it is asked for. No puzzle reads Shift by itself.
  if (key == Qt::Key_Shift) return Command::HoldForCommand;
  const Qt::KeyboardModifiers held = modifiers & ~kIgnored;
  for (const CommandKey& row : kCommandKeys) {
    if (row.key == key && row.modifiers == held) return row.command;
  }
  return std::nullopt;
}

QString KeyName(const CommandKey& key, bool german) {
  QString name;
  if (key.modifiers.testFlag(Qt::ControlModifier)) name += german ? "Strg+" : "Ctrl+";
  if (key.modifiers.testFlag(Qt::ShiftModifier)) name += german ? "Umschalt+" : "Shift+";
  if (key.modifiers.testFlag(Qt::AltModifier)) name += "Alt+";
  switch (key.key) {
    case Qt::Key_PageDown:
      return name + (german ? "Bild ab" : "Page Down");
    case Qt::Key_PageUp:
      return name + (german ? "Bild auf" : "Page Up");
    default:
      return name + QKeySequence(key.key).toString(QKeySequence::PortableText);
  }
}

}  // namespace zt
