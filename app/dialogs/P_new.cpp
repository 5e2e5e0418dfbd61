#include "app/dialogs/P_new.h"

#include <QLabel>

#include "app/core/Tongue.h"
#include "app/dialogs/GlyphButton.h"

namespace zt {

TNewGameDlg::TNewGameDlg(QWidget* mainWindow, const QImage& background)
    : TMessageDlg(mainWindow, background) {
  setObjectName("NewGameDlg");
  AddMessage("msg", QRect(40, 13, 169, 37), 15);
  AddOkButton(QRect(92, 88, 70, 27), "yes");
  AddCancelButton(QRect(168, 88, 70, 27), "no");
  SetTexts();
}

void TNewGameDlg::SetTexts() {
  Message()->setText(Say(QStringLiteral("Willst Du das Rätsel wirklich aufgeben?"),
                         QStringLiteral("Do you really want to giveup the puzzle?")));
  OkButton()->setText(Say(QStringLiteral("Ja"), QStringLiteral("Yes")));
  CancelButton()->setText(Say(QStringLiteral("Nein"), QStringLiteral("No")));
}

}  // namespace zt
