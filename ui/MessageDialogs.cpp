#include "ui/MessageDialogs.h"

namespace zt {

MessageDialogs::MessageDialogs(QWidget* mainWindow, const QImage& dialogBackground) {
  for (const MessageKind kind :
       {MessageKind::Done, MessageKind::EndGame, MessageKind::NewGame, MessageKind::Pause}) {
    dialogs_[static_cast<int>(kind)] = new MessageDialog(kind, mainWindow, dialogBackground);
  }
}

MessageDialogs::~MessageDialogs() {
  for (const MessageKind kind :
       {MessageKind::Pause, MessageKind::NewGame, MessageKind::EndGame, MessageKind::Done}) {
    delete Dialog(kind);
  }
}

int MessageDialogs::Exec(MessageKind kind) {
  MessageDialog* dialog = Dialog(kind);
  return dialog ? dialog->exec() : MessageDialog::kResultCancel;
}

void MessageDialogs::ShowPause() {
  Exec(MessageKind::Pause);
}

void MessageDialogs::ShowDone() {
  Exec(MessageKind::Done);
}

bool MessageDialogs::AskNewGame() {
  // Without its dialog the question cannot be asked, and the game goes on.
  return !Dialog(MessageKind::NewGame) ||
         Exec(MessageKind::NewGame) != MessageDialog::kResultCancel;
}

bool MessageDialogs::AskEndGame() {
  return Exec(MessageKind::EndGame) == MessageDialog::kResultOk;
}

}  // namespace zt
