#include "ui/MessageDialogs.h"

namespace zt {

MessageDialogs::MessageDialogs(QWidget* mainWindow, const QImage& dialogBackground)
    : done_(new TDoneDlg(mainWindow, dialogBackground)),
      endGame_(new TEndGameDlg(mainWindow, dialogBackground)),
      newGame_(new TNewGameDlg(mainWindow, dialogBackground)),
      pause_(new TPauseDlg(mainWindow, dialogBackground)) {}

MessageDialogs::~MessageDialogs() {
  delete pause_.data();
  delete newGame_.data();
  delete endGame_.data();
  delete done_.data();
}

void MessageDialogs::ShowPause() {
  if (pause_) pause_->exec();
}

void MessageDialogs::ShowDone() {
  if (done_) done_->exec();
}

bool MessageDialogs::AskNewGame() {
  return !newGame_ || newGame_->exec() != MessageDialog::kResultCancel;
}

bool MessageDialogs::AskEndGame() {
  return endGame_ && endGame_->exec() == MessageDialog::kResultOk;
}

}  // namespace zt
