#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "app/MainForm.h"
#include "app/core/Tongue.h"
#include "app/dialogs/MessageDialogs.h"
#include "highscore/P_high.h"

int main(int argc, char** argv) {
  // The pictures are pixel art: on high-density screens they are scaled by a
  // whole factor, so a fractional screen factor is rounded.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
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
  // For the start-up measurement: report the moment the first picture is on
  // the screen (after the paint has been flushed) and quit.
  if (qEnvironmentVariableIsSet("ZT_QUIT_AFTER_FIRST_PAINT")) {
    QObject::connect(&form, &zt::TMainForm::firstPainted, [] {
      QTimer::singleShot(0, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("first-paint %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    });
  }
  // The other windows come after the main window, which they are placed on.
  zt::MessageDialogs dialogs(&form, form.DialogBackground());
  zt::THighscoreDlg highscores(&form, form.Settings(), form.Chiffre(), form.DialogBackground());
  form.SetDialogs(&dialogs, &highscores);

  form.RestoreWindowPosition();
  form.show();
  form.activateWindow();
  return app.exec();
}
