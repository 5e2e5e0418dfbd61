#pragma once

namespace zt {

// The four message dialogs as the host uses them. Each is modal and shows the
// texts of the current language.
class GameDialogs {
 public:
  virtual ~GameDialogs() = default;
  // "Game paused!"; returns when the player continues.
  virtual void ShowPause() = 0;
  // "Hurrah, you did it!"
  virtual void ShowDone() = 0;
  // The give-up question before a new game; true unless answered No.
  virtual bool AskNewGame() = 0;
  // The quit question; true only when answered Yes.
  virtual bool AskEndGame() = 0;
};

}  // namespace zt
