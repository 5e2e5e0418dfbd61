#include "ui/P_end.h"

#include <QLabel>

#include "core/Language.h"
#include "ui/GlyphButton.h"

namespace zt {

TEndGameDlg::TEndGameDlg(QWidget* mainWindow, const QImage& background)
    : MessageDialog(mainWindow, background, Qt::WindowStaysOnTopHint) {
  setObjectName("EndGameDlg");
  AddMessage("msg", QRect(32, 13, 185, 37), 13);
  AddOkButton(QRect(92, 88, 70, 27), "yes");
  AddCancelButton(QRect(168, 88, 70, 27), "no");
  SetTexts();
}

void TEndGameDlg::SetTexts() {
  Message()->setText(Say(QStringLiteral("Willst Du das Spiel wirklich beenden?"),
                         QStringLiteral("Do you really want to end the game?")));
  OkButton()->setText(Say(QStringLiteral("Ja"), QStringLiteral("Yes")));
  CancelButton()->setText(Say(QStringLiteral("Nein"), QStringLiteral("No")));
}

}  // namespace zt
