#pragma once

#include <QFileInfo>
#include <QStringList>
#include <set>

#include "app/sound/MusicPlayer.h"

namespace zt::test {

// A music player that only keeps a log and a simulated position, with the
// media player's rules: Play rewinds a tune that has ended, Pause toggles
// between playing and paused and leaves anything else alone.
class FakeMusicPlayer : public MusicPlayer {
 public:
  enum class State { Closed, Stopped, Playing, Paused, Ended, Broken };

  // Files (by name) that cannot be opened, and those that load but stop at
  // once when played.
  std::set<QString> unopenable;
  std::set<QString> stopsAtOnce;

  QStringList log;  // "open A.mid", "play", "pause", "stop", "close"
  QString file;     // the open file's name
  State state = State::Closed;
  double position = 0;
  int opens = 0;

  bool Open(const QString& path) override {
    const QString name = QFileInfo(path).fileName();
    log << "open " + name;
    ++opens;
    if (!QFileInfo(path).isFile() || unopenable.contains(name)) return false;
    file = name;
    state = State::Stopped;
    position = 0;
    return true;
  }
  bool Play() override {
    log << "play";
    switch (state) {
      case State::Closed:
      case State::Broken:
        return false;
      case State::Ended:
        position = 0;
        [[fallthrough]];
      case State::Stopped:
      case State::Paused:
        state = stopsAtOnce.contains(file) ? State::Broken : State::Playing;
        return true;
      case State::Playing:
        return true;
    }
    return false;
  }
  void Pause() override {
    log << "pause";
    if (state == State::Playing) {
      state = State::Paused;
    } else if (state == State::Paused) {
      state = State::Playing;
    }
  }
  void Stop() override {
    log << "stop";
    if (state != State::Closed && state != State::Broken) {
      state = State::Stopped;
      position = 0;
    }
  }
  void Close() override {
    log << "close";
    state = State::Closed;
    file.clear();
  }
  bool Playing() override { return state == State::Playing; }
  bool Broken() override { return state == State::Broken; }

  // Time passes while the tune plays.
  void Advance(double seconds) {
    if (state == State::Playing) position += seconds;
  }
  // The tune reaches its end.
  void Finish() {
    if (state == State::Playing) state = State::Ended;
  }
  // Returns the log since the last call.
  QStringList Take() {
    QStringList taken = log;
    log.clear();
    return taken;
  }
};

}  // namespace zt::test
