#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/startup/CommandLine.h"
#include "app/startup/LanguageDialog.h"
#include "app/startup/SplashWindow.h"
#include "app/window/DialogsOnFirstUse.h"
#include "app/window/MainWindow.h"
#include "core/Language.h"

int main(int argc, char** argv) {
  // --help, --version and wrong arguments are answered before a display is needed.
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  if (const std::optional<int> end = zt::AnswerCommandLine(arguments, stdout, stderr)) return *end;

#ifdef __GLIBC__
  // Blocks from 128 KiB up (pictures, the synthesiser's samples) get pages of
  // their own, which go back to the system when freed. Set once, the
  // allocator no longer raises this bound after freeing such a block; raised,
  // it would keep up to twice the largest block freed so far at the top of
  // each thread's heap, where malloc_trim never reaches.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
#ifdef SIGXFSZ
  // A file size limit makes a write fail (and the save with it) rather than
  // end the game half-way through.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  // The pictures are pixel art: on high-density screens they are scaled by a
  // whole factor, so a fractional screen factor is rounded.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  QApplication::setApplicationName("zindle-tavrin");
  QApplication::setOrganizationName("ZindleGames");

  std::unique_ptr<zt::MainWindow> window;
  try {
    window = std::make_unique<zt::MainWindow>(zt::MainWindow::Options{});
  } catch (const std::bad_alloc&) {
    zt::StartFailureBox(zt::StartFailure::Memory, {})->exec();
    return 1;
  }
  zt::MainWindow& form = *window;
  if (!form.Created()) {
    // Nothing has been written; the program ends here.
    qWarning("%s", qPrintable(form.CreateError()));
    zt::StartFailureBox(form.Failure(), form.FailedFile())->exec();
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
  // The other windows belong to the main window, which they are placed on.
  // The dialogs are made when first needed; the splash now, since its timer
  // starts when it is made, and it goes once it has been shown.
  zt::DialogsOnFirstUse dialogs(form);
  auto splash = std::make_unique<zt::SplashWindow>(&form);
  form.SetDialogs(&dialogs, &dialogs);
  form.SetLanguageDialog([&dialogs] { return &dialogs.Language(); });
  // At the first activation: the splash, then the language question while no
  // language has been chosen. They run once the activation itself is over.
  form.SetFirstActivation([&] {
    QTimer::singleShot(0, &form, [&] {
      splash->exec();
      splash.reset();
      if (zt::Tongue == -1) form.LanguageDialog()->exec();
      if (!form.SalvagedSettings().isEmpty()) {
        form.ShowError(zt::Say(QString("Die Einstellungen waren beschädigt und wurden nur zum "
                                       "Teil gelesen; eine Kopie liegt hier: "),
                               QString("The settings were damaged and could only be read in "
                                       "part; a copy was kept here: ")) +
                       form.SalvagedSettings());
      }
    });
  });

  form.RestoreWindowPosition();
  form.show();
  form.activateWindow();
  return app.exec();
}
