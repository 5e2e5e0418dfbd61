// Saves two states of a store in turn, forever, as the quit and the
// best-times OK do; save_kill_test kills it at random moments. Prints
// "ready" after the first round; ends with 1 when a save fails.
#include <QCoreApplication>
#include <cstdio>

#include "core/GameSettings.h"
#include "core/SettingsKeys.h"
#include "highscore/HighscoreList.h"
#include "tests/highscore/SaveStates.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) return 2;
  zt::SettingsStore store(QString::fromLocal8Bit(argv[1]));
  zt::TextScrambler scrambler;
  scrambler.Init(QString(), 0);
  zt::HighscoreStore lists(store, scrambler);
  for (long round = 0;; ++round) {
    const zt::test::SaveState& state = zt::test::kSaveStates[round % 2];
    const bool quit = store.Edit([&](zt::SettingsEdit& edit) {
      zt::PutGameSettings(edit, state.Settings());
      edit.SetString(zt::settings::kCommonSection, zt::settings::kWindowPositionKey,
                     state.windowPosition);
    });
    const bool best =
        lists.Update(zt::test::kKilledListKey, [&](zt::HighscoreTable& table, QString& player) {
          table = state.List();
          player = state.player;
        });
    if (!quit || !best) return 1;
    if (round == 1) {
      std::puts("ready");
      std::fflush(stdout);
    }
  }
}
