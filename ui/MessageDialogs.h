#pragma once

#include <QImage>
#include <QPointer>
#include <array>

#include "core/GameDialogs.h"
#include "ui/MessageDialog.h"

class QWidget;

namespace zt {

// The four message dialogs behind the host's interface. Created once with the
// main window as parent; each call shows one modally.
class MessageDialogs : public GameDialogs {
 public:
  MessageDialogs(QWidget* mainWindow, const QImage& dialogBackground);
  ~MessageDialogs() override;
  MessageDialogs(const MessageDialogs&) = delete;
  MessageDialogs& operator=(const MessageDialogs&) = delete;

  void ShowPause() override;
  void ShowDone() override;
  // True unless answered No (Escape and a close request count as No).
  bool AskNewGame() override;
  // True only when answered Yes.
  bool AskEndGame() override;

  // Null once the main window has deleted it.
  MessageDialog* Dialog(MessageKind kind) const { return dialogs_[static_cast<int>(kind)]; }

 private:
  // Shows one modally; its result, or Cancel when it is gone.
  int Exec(MessageKind kind);

  // The main window owns the dialogs as their parent and may go first; these
  // then turn null and are not deleted twice.
  std::array<QPointer<MessageDialog>, kMessageKinds> dialogs_;
};

}  // namespace zt
