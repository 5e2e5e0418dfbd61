// Times one animation frame of the zoomed window: a CRUX slide played in the
// main window at zoom 1, 2 and 3 (composing the moving track at the artwork
// scale, copying it to the screen and presenting it in the play area), the
// frames' 20 ms waits left out. Prints the median and the slowest 1 % per frame.
// Runs on the offscreen platform with a virtual screen large enough for zoom 3.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/window/MainWindow.h"
#include "puzzles/crux/CruxView.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("SDL_AUDIODRIVER", "dummy");
  const QString config = home.filePath("screens.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 2;
  file.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 3840, "height": 2160,
                 "logicalDpi": 96, "logicalBaseDpi": 96}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

  zt::MainWindow form({ZT_GAME_DIR, home.filePath("settings.ini"), false});
  if (!form.Created()) {
    std::fprintf(stderr, "%s\n", qPrintable(form.CreateError()));
    return 1;
  }
  form.Tools().SoundBtn->setChecked(false);
  form.show();
  // Frames are timed between the waits: each wait marks the end of a frame.
  std::vector<double> times;
  auto last = Clock::now();
  form.Host().SetDelayFunction([&](int) {
    const auto now = Clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(now - last).count());
    last = now;
  });
  auto& crux = static_cast<zt::CruxView&>(form.Host().Current());
  for (int zoom = 1; zoom <= 3; ++zoom) {
    form.SetZoom(zoom);
    app.processEvents();
    times.clear();
    for (int r = 0; r < rounds; ++r) {
      // Always a free way: the track's ends are emptied before each slide.
      auto& board = crux.Rules().CruxBoard;
      board[9][4] = board[9][5] = 0;
      last = Clock::now();
      crux.MoveCrux(zt::CruxRules::kRight);
    }
    std::sort(times.begin(), times.end());
    std::printf("zoom %d (artwork scale %d, %zu frames): median %.0f us, slowest 1 %% %.0f us\n",
                form.Zoom(), form.ArtworkScaleInUse(), times.size(), times[times.size() / 2],
                times[times.size() * 99 / 100]);
  }
  return 0;
}
