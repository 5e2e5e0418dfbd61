#include "app/dialogs/P_done.h"

#include <QLabel>

#include "app/core/Tongue.h"
#include "app/dialogs/GlyphButton.h"

namespace zt {

TDoneDlg::TDoneDlg(QWidget* mainWindow, const QImage& background)
    : TMessageDlg(mainWindow, background) {
  setObjectName("DoneDlg");
  AddMessage("Msg", QRect(32, 20, 185, 21), 16);
  AddOkButton(QRect(168, 88, 70, 27), "ok")->setText(QStringLiteral("OK"));
  SetTexts();
}

void TDoneDlg::SetTexts() {
  Message()->setText(
      Say(QStringLiteral("Hurra, geschafft!"), QStringLiteral("Hurrah, you did it!")));
}

}  // namespace zt
