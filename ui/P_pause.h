#pragma once

#include "ui/MessageDialog.h"

namespace zt {

// The pause notice; closing it resumes the game.
class TPauseDlg : public MessageDialog {
  Q_OBJECT

 public:
  TPauseDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
