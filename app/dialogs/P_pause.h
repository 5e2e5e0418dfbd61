#pragma once

#include "app/dialogs/MessageDlg.h"

namespace zt {

// The pause notice; closing it resumes the game.
class TPauseDlg : public TMessageDlg {
  Q_OBJECT

 public:
  TPauseDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
