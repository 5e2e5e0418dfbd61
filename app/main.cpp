#include <QApplication>
#include <QMessageBox>

#include "app/MainForm.h"
#include "app/core/Tongue.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("zindle-tavrin");
  QApplication::setOrganizationName("ZindleGames");

  zt::TMainForm form({});
  if (!form.Created()) {
    qWarning("%s", qPrintable(form.CreateError()));
    QMessageBox::critical(nullptr, "Fehler",
                          zt::Say(QString("Zuwenig Speicher! Programm wird beendet."),
                                  QString("Not enough memory! Program aborted.")));
    return 1;
  }
  form.RestoreWindowPosition();
  form.show();
  form.activateWindow();
  return app.exec();
}
