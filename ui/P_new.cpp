#include "ui/P_new.h"

#include <QLabel>

#include "core/Language.h"
#include "ui/GlyphButton.h"

namespace zt {

TNewGameDlg::TNewGameDlg(QWidget* mainWindow, const QImage& background)
    : MessageDialog(mainWindow, background) {
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
