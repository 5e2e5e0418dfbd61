#pragma once

#include "ui/MessageDialog.h"

namespace zt {

// The give-up question before a new game: OK gives the game up, Cancel keeps it.
class TNewGameDlg : public MessageDialog {
  Q_OBJECT

 public:
  TNewGameDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
