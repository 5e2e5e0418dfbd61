#pragma once

#include "ui/MessageDialog.h"

namespace zt {

// The solved message.
class TDoneDlg : public MessageDialog {
  Q_OBJECT

 public:
  TDoneDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
