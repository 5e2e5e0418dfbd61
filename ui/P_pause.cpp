#include "ui/P_pause.h"

#include <QLabel>

#include "core/Language.h"
#include "ui/GlyphButton.h"

namespace zt {

TPauseDlg::TPauseDlg(QWidget* mainWindow, const QImage& background)
    : MessageDialog(mainWindow, background) {
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
