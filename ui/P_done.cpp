#include "ui/P_done.h"

#include <QLabel>

#include "core/Language.h"
#include "ui/GlyphButton.h"

namespace zt {

TDoneDlg::TDoneDlg(QWidget* mainWindow, const QImage& background)
    : MessageDialog(mainWindow, background) {
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
