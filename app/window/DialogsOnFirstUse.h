#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "core/GameDialogs.h"
#include "core/HighscoreService.h"

namespace zt {

class HighscoreDialog;
class LanguageDialog;
class MainWindow;
class MessageDialogs;

// The game's dialogs, each made when the game first needs it and kept from
// then on: most runs never show most of them, and a dialog once made holds
// memory for the rest of the run. Each is made with the main window as its
// parent, just as if it had been made at start.
class DialogsOnFirstUse final : public GameDialogs, public HighscoreService {
 public:
  // window must outlive this object.
  explicit DialogsOnFirstUse(MainWindow& window);
  ~DialogsOnFirstUse() override;
  DialogsOnFirstUse(const DialogsOnFirstUse&) = delete;
  DialogsOnFirstUse& operator=(const DialogsOnFirstUse&) = delete;

  // GameDialogs
  void ShowPause() override;
  void ShowDone() override;
  bool AskNewGame() override;
  bool AskEndGame() override;
  // HighscoreService
  void ShowHighscores(const QString& variantKey, std::int32_t time) override;

  // The language question.
  LanguageDialog& Language();
  MessageDialogs& Messages();
  HighscoreDialog& Highscores();

  // Which of them exist so far.
  bool HasLanguage() const { return language_ != nullptr; }
  bool HasMessages() const { return messages_ != nullptr; }
  bool HasHighscores() const { return highscores_ != nullptr; }

 private:
  MainWindow& window_;
  std::unique_ptr<LanguageDialog> language_;
  std::unique_ptr<MessageDialogs> messages_;
  std::unique_ptr<HighscoreDialog> highscores_;
};

}  // namespace zt
