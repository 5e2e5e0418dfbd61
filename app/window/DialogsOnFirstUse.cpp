#include "app/window/DialogsOnFirstUse.h"

#include "app/startup/LanguageDialog.h"
#include "app/window/MainWindow.h"
#include "highscore/HighscoreDialog.h"
#include "ui/MessageDialogs.h"

namespace zt {

DialogsOnFirstUse::DialogsOnFirstUse(MainWindow& window) : window_(window) {}

DialogsOnFirstUse::~DialogsOnFirstUse() = default;

void DialogsOnFirstUse::ShowPause() {
  Messages().ShowPause();
}

void DialogsOnFirstUse::ShowDone() {
  Messages().ShowDone();
}

bool DialogsOnFirstUse::AskNewGame() {
  return Messages().AskNewGame();
}

bool DialogsOnFirstUse::AskEndGame() {
  return Messages().AskEndGame();
}

void DialogsOnFirstUse::ShowHighscores(const QString& variantKey, std::int32_t time) {
  Highscores().ShowHighscores(variantKey, time);
}

LanguageDialog& DialogsOnFirstUse::Language() {
  if (!language_) language_ = std::make_unique<LanguageDialog>(&window_, window_.windowIcon());
  return *language_;
}

MessageDialogs& DialogsOnFirstUse::Messages() {
  if (!messages_)
    messages_ = std::make_unique<MessageDialogs>(&window_, window_.DialogBackground());
  return *messages_;
}

HighscoreDialog& DialogsOnFirstUse::Highscores() {
  if (!highscores_) {
    highscores_ = std::make_unique<HighscoreDialog>(
        &window_, window_.Settings(), window_.Scrambler(), window_.DialogBackground());
    // A best time that cannot be stored is said at once.
    highscores_->SetFailureReport([this](const QString& text) { window_.ShowError(text); });
  }
  return *highscores_;
}

}  // namespace zt
