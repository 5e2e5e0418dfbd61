#pragma once

#include "ui/MessageDialog.h"

namespace zt {

// The quit question, on top of every other window: only OK lets the game end.
class TEndGameDlg : public MessageDialog {
  Q_OBJECT

 public:
  TEndGameDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
