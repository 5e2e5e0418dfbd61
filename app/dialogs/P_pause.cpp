#include "app/dialogs/P_pause.h"

#include <QLabel>

#include "app/core/Tongue.h"
#include "app/dialogs/GlyphButton.h"

namespace zt {

TPauseDlg::TPauseDlg(QWidget* mainWindow, const QImage& background)
    : TMessageDlg(mainWindow, background) {
  setObjectName("PauseDlg");
  AddMessage("msg", QRect(32, 21, 185, 24), 16);
  AddOkButton(QRect(144, 88, 94, 27), "continue");
  SetTexts();
}

void TPauseDlg::SetTexts() {
  Message()->setText(Say(QStringLiteral("Spiel angehalten!"), QStringLiteral("Game paused!")));
  OkButton()->setText(Say(QStringLiteral("Fortsetzen"), QStringLiteral("Continue")));
}

}  // namespace zt
