#pragma once

#include <QImage>
#include <QPointer>

#include "core/GameDialogs.h"
#include "ui/P_done.h"
#include "ui/P_end.h"
#include "ui/P_new.h"
#include "ui/P_pause.h"

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

  TPauseDlg* PauseDlg() const { return pause_; }
  TDoneDlg* DoneDlg() const { return done_; }
  TNewGameDlg* NewGameDlg() const { return newGame_; }
  TEndGameDlg* EndGameDlg() const { return endGame_; }

 private:
  // The main window owns the dialogs as their parent and may go first; these
  // then turn null and are not deleted twice.
  QPointer<TDoneDlg> done_;
  QPointer<TEndGameDlg> endGame_;
  QPointer<TNewGameDlg> newGame_;
  QPointer<TPauseDlg> pause_;
};

}  // namespace zt
