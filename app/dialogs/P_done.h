#pragma once

#include "app/dialogs/MessageDlg.h"

namespace zt {

// The solved message.
class TDoneDlg : public TMessageDlg {
  Q_OBJECT

 public:
  TDoneDlg(QWidget* mainWindow, const QImage& background);

 protected:
  void SetTexts() override;
};

}  // namespace zt
