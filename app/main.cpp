#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <optional>

#include "app/startup/CommandLine.h"
#include "app/startup/LanguageDialog.h"
#include "app/startup/SplashWindow.h"
#include "app/window/MainWindow.h"
#include "core/Language.h"
#include "highscore/HighscoreDialog.h"
#include "ui/MessageDialogs.h"

int main(int argc, char** argv) {
  // --help, --version and wrong arguments are answered before a display is needed.
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  if (const std::optional<int> end = zt::AnswerCommandLine(arguments, stdout, stderr)) return *end;

  // The pictures are pixel art: on high-density screens they are scaled by a
  // whole factor, so a fractional screen factor is rounded.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  QApplication::setApplicationName("zindle-tavrin");
  QApplication::setOrganizationName("ZindleGames");

  zt::MainWindow form({});
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
    QObject::connect(&form, &zt::MainWindow::firstPainted, [] {
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
  // The other windows come after the main window, which they are placed on;
  // the splash last, since its timer starts when it is made.
  zt::LanguageDialog languageDialog(&form, form.windowIcon());
  zt::MessageDialogs dialogs(&form, form.DialogBackground());
  zt::HighscoreDialog highscores(&form, form.Settings(), form.Scrambler(), form.DialogBackground());
  zt::SplashWindow splash(&form);
  form.SetDialogs(&dialogs, &highscores);
  form.SetLanguageDialog(&languageDialog);
  // At the first activation: the splash, then the language question while no
  // language has been chosen. They run once the activation itself is over.
  form.SetFirstActivation([&] {
    QTimer::singleShot(0, &form, [&] {
      splash.exec();
      if (zt::Tongue == -1) languageDialog.exec();
    });
  });

  form.RestoreWindowPosition();
  form.show();
  form.activateWindow();
  return app.exec();
}
