// What really comes out: SDL's disk driver records every mixed sample to a
// file, which is then read back. Also the cases without a usable device, with
// bad files, and without a soundfont. Each case opens the device afresh and
// closes it again by letting go of every sound object.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <cstdio>
#include <memory>

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"
#include "app/sound/MusicBox.h"
#include "app/sound/SoundEffects.h"
#include "tests/app/sound/RawAudio.h"
#include "tests/common/TestMain.h"

using zt::MusicBox;
using zt::SoundEffects;
using zt::sound::AudioDevice;
using zt::sound::MixerMusicPlayer;
using zt::test::RawAudio;

namespace {

constexpr int kRate = 44100;
// Anything with a peak above -50 dBFS counts as heard.
constexpr int kAudible = 104;

// Collects what is written to stderr while it lives.
class StderrCapture {
 public:
  StderrCapture() {
    file_.open();
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    dup2(file_.handle(), STDERR_FILENO);
  }
  ~StderrCapture() { Restore(); }
  QStringList Lines() {
    Restore();
    file_.seek(0);
    return QString::fromUtf8(file_.readAll()).split('\n', Qt::SkipEmptyParts);
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
  }
  QTemporaryFile file_;
  int saved_ = -1;
};

// The recording position of "now", in seconds since the device opened.
double Now(const std::shared_ptr<AudioDevice>& device) {
  return static_cast<double>(device->FramesMixed()) / kRate;
}

void Sleep(int ms) {
  QThread::msleep(static_cast<unsigned long>(ms));
}

// Keeps a music box going at a quicker pace than the game's timer, for ms.
void Tick(MusicBox& box, int ms, bool on = true) {
  for (int waited = 0; waited < ms; waited += 20) {
    box.MusicUpkeep(on);
    Sleep(20);
  }
}

QString GameTune() {
  const QDir game(zt::test::GameDir());
  const QStringList tunes = game.entryList({"*.mid"}, QDir::Files, QDir::Name);
  return tunes.isEmpty() ? QString() : game.filePath(tunes.last());
}

}  // namespace

class SoundOutputTest : public QObject {
  Q_OBJECT

  QTemporaryDir work_;
  int recordings_ = 0;

  // Sends the next device's output to a new file and returns its name.
  QString RecordTo() {
    const QString path = work_.filePath(QString("take%1.raw").arg(++recordings_));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", path.toUtf8());
    return path;
  }

  // Plays the chime, and optionally the bump after 150 ms; returns the
  // recording and where the chime starts in it.
  std::pair<RawAudio, double> ChimeAndMaybeBump(bool bump) {
    const QString path = RecordTo();
    double start = 0;
    {
      auto device = AudioDevice::Shared();
      SoundEffects effects;
      if (!effects.WaveOutputPresent()) return {};
      start = Now(device);
      effects.PlayEffect(7);
      Sleep(150);
      if (bump) effects.PlayEffect(6);
      Sleep(850);
    }
    return {RawAudio::Load(path, kRate), start};
  }

 private slots:
  void init() {
    qputenv("SDL_AUDIODRIVER", "dummy");
    qunsetenv("SDL_SOUNDFONTS");
  }

  void anEffectSounds() {
    const auto [audio, start] = ChimeAndMaybeBump(false);
    QVERIFY(audio.Frames() > 0);
    QCOMPARE(audio.Peak(0, start), 0);  // silence before it
    // The chime is heard at once and lasts its 0.6 s, then silence again.
    QVERIFY(audio.Peak(start, start + 0.1) > 3000);
    QVERIFY(audio.Peak(start + 0.40, start + 0.55) >= kAudible);
    QVERIFY(audio.Peak(start + 0.70, audio.Seconds()) < kAudible);
  }

  void aNewEffectCutsTheOldOneOff() {
    const auto [audio, start] = ChimeAndMaybeBump(true);
    QVERIFY(audio.Frames() > 0);
    QVERIFY(audio.Peak(start, start + 0.1) > 3000);
    QVERIFY(audio.Peak(start + 0.15, start + 0.25) > 3000);  // the bump
    // Where the chime alone still rang (see above), the bump is over and
    // nothing of the chime is left.
    QVERIFY(audio.Peak(start + 0.40, start + 0.55) < kAudible);
  }

  void onlyTheSevenEffectsExist() {
    const QString path = RecordTo();
    {
      SoundEffects effects;
      QVERIFY(effects.WaveOutputPresent());
      for (int n : {-3, 0, 8, 1000})
        effects.PlayEffect(n);
      Sleep(300);
    }
    QCOMPARE(RawAudio::Load(path, kRate).Peak(0, 10), 0);
  }

  void aTunePlaysPausesAndStopsOnClose() {
    const QString tune = GameTune();
    QVERIFY(!tune.isEmpty());
    QTemporaryDir dir;
    QVERIFY(QFile::copy(tune, dir.filePath("tune.mid")));
    const QString path = RecordTo();
    double playing = 0, paused = 0, closed = 0;
    {
      auto device = AudioDevice::Shared();
      SoundEffects effects;  // keeps the device open after the box is closed
      MusicBox box;
      QVERIFY(box.MusicStart(dir.path() + "/"));
      Tick(box, 2500);  // loading, then two seconds or so of music
      playing = Now(device);
      box.MidiBtnClick(false);
      paused = Now(device);
      Tick(box, 600, false);
      box.MidiBtnClick(true);  // the only file again, from its start
      Tick(box, 1000);
      box.Close();
      closed = Now(device);
      Sleep(500);
    }
    const RawAudio audio = RawAudio::Load(path, kRate);
    QVERIFY(playing > 1.0);
    QVERIFY(audio.RmsDb(playing - 1.0, playing) > -40);
    QVERIFY(audio.Peak(0, audio.Seconds()) < 32767);  // no clipping
    QVERIFY(audio.Peak(paused + 0.1, paused + 0.55) < kAudible);
    QVERIFY(audio.RmsDb(closed - 0.6, closed) > -40);
    QVERIFY(audio.Peak(closed + 0.1, audio.Seconds()) < kAudible);
  }

  void aTuneLoopsRightAfterItsEnd() {
    // One second: a flute note of half a second, then silence. The synth
    // would report the end some three seconds late; the loop must not wait.
    const QByteArray tune = QByteArray::fromHex(
        "4d546864 00000006 0000 0001 01e0"  // format 0, one track, 480 ticks a quarter
        "4d54726b 00000011"                 // the track, 17 bytes:
        "00 c0 49"                          //   flute
        "00 90 48 64  83 60 80 48 00"       //   C5 for half a second
        "83 60 ff 2f 00");                  //   end at one second
    QTemporaryDir dir;
    QFile file(dir.filePath("beat.mid"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(tune);
    file.close();
    const QString path = RecordTo();
    {
      MusicBox box;
      QVERIFY(box.MusicStart(dir.path()));
      for (int tick = 0; tick < 22; ++tick) {  // the game's 200 ms timer
        box.MusicUpkeep(true);
        Sleep(200);
      }
    }
    // Each play is one burst of sound; their starts lie one second apart plus
    // the wait for the next tick.
    const RawAudio audio = RawAudio::Load(path, kRate);
    const std::vector<bool> audible = audio.Audible(0.01, kAudible);
    std::vector<double> starts;
    for (std::size_t i = 0; i < audible.size(); ++i) {
      if (audible[i] && (i == 0 || !audible[i - 1])) starts.push_back(0.01 * double(i));
    }
    QVERIFY2(starts.size() >= 3, qPrintable(QString::number(starts.size())));
    for (std::size_t i = 1; i < starts.size(); ++i) {
      const double period = starts[i] - starts[i - 1];
      QVERIFY2(period >= 0.95 && period <= 1.3, qPrintable(QString::number(period)));
    }
  }

  void badFilesAreSkippedOnceAndTheGoodOnePlays() {
    const QString tune = GameTune();
    QVERIFY(!tune.isEmpty());
    QTemporaryDir dir;
    QFile tuneFile(tune);
    QVERIFY(tuneFile.open(QIODevice::ReadOnly));
    const QByteArray good = tuneFile.readAll();
    auto write = [&](const QString& name, const QByteArray& bytes) {
      QFile f(dir.filePath(name));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(bytes);
    };
    write("a-empty.mid", {});
    write("b-text.mid", "these are not the notes you are looking for\n");
    write("c-cut.mid", good.left(good.size() / 2));
    write("d-good.mid", good);
    const QString path = RecordTo();
    StderrCapture errors;
    double end = 0;
    {
      auto device = AudioDevice::Shared();
      auto owned = std::make_unique<MixerMusicPlayer>(device);
      MixerMusicPlayer* player = owned.get();
      MusicBox box(std::move(owned));
      QVERIFY(box.MusicStart(dir.path()));
      Tick(box, 1500);
      QCOMPARE(player->OpenAttempts(), 4);
      QCOMPARE(QFileInfo(box.CurrentFile()).fileName(), QString("d-good.mid"));
      QVERIFY(player->Playing());
      for (int i = 0; i < 3; ++i) {
        box.MidiBtnClick(false);
        box.MidiBtnClick(true);  // round the folder: only the good one opens
        Tick(box, 100);
      }
      QCOMPARE(player->OpenAttempts(), 7);
      Tick(box, 800);
      end = Now(device);
    }
    const QStringList lines = errors.Lines();
    QCOMPARE(lines.size(), 3);  // one for each bad file, once
    QVERIFY(lines.filter("a-empty.mid").size() == 1 && lines.filter("c-cut.mid").size() == 1);
    QVERIFY(RawAudio::Load(path, kRate).RmsDb(end - 0.5, end) > -40);
  }

  void withoutADeviceAllIsQuiet_data() {
    QTest::addColumn<QByteArray>("driver");
    QTest::addColumn<QByteArray>("alsaConfig");
    QTest::newRow("no such driver") << QByteArray("nonexistent") << QByteArray();
    // ALSA has plenty to say when it finds no configuration.
    QTest::newRow("ALSA without configuration") << QByteArray("alsa") << QByteArray("/nonexistent");
  }
  void withoutADeviceAllIsQuiet() {
    QFETCH(QByteArray, driver);
    QFETCH(QByteArray, alsaConfig);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(GameTune(), dir.filePath("tune.mid")));
    qputenv("SDL_AUDIODRIVER", driver);
    if (!alsaConfig.isEmpty()) qputenv("ALSA_CONFIG_PATH", alsaConfig);
    StderrCapture errors;
    {
      SoundEffects effects;
      auto owned = std::make_unique<MixerMusicPlayer>(AudioDevice::Shared());
      MixerMusicPlayer* player = owned.get();
      MusicBox box(std::move(owned));
      QVERIFY(!effects.WaveOutputPresent());
      for (int n = 1; n <= 7; ++n)
        effects.PlayEffect(n);
      QVERIFY(box.MusicStart(dir.path()));
      Tick(box, 600);
      box.MidiBtnClick(false);
      box.MidiBtnClick(true);
      Tick(box, 600);
      QVERIFY(!player->Playing());
      QCOMPARE(player->OpenAttempts(), 1);  // tried once, then left alone
    }
    qunsetenv("ALSA_CONFIG_PATH");
    const QStringList lines = errors.Lines();
    QVERIFY2(lines.size() <= 1, qPrintable(lines.join('\n')));
  }

  void withoutASoundfontTheMusicIsQuietButEffectsPlay() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy(GameTune(), dir.filePath("one.mid")));
    QVERIFY(QFile::copy(GameTune(), dir.filePath("two.mid")));
    qputenv("SDL_SOUNDFONTS", dir.filePath("missing.sf2").toUtf8());
    const QString path = RecordTo();
    StderrCapture errors;
    {
      SoundEffects effects;
      auto owned = std::make_unique<MixerMusicPlayer>(AudioDevice::Shared());
      MixerMusicPlayer* player = owned.get();
      MusicBox box(std::move(owned));
      QVERIFY(box.MusicStart(dir.path()));
      Tick(box, 800);
      box.MidiBtnClick(true);
      Tick(box, 400);
      QCOMPARE(player->OpenAttempts(), 2);
      QVERIFY(!player->Playing());
      effects.PlayEffect(5);
      Sleep(300);
    }
    const QStringList lines = errors.Lines();
    QVERIFY2(lines.size() == 1 && lines.first().contains("soundfont"),
             qPrintable(lines.join('\n')));
    QVERIFY(RawAudio::Load(path, kRate).Peak(0, 10) > 3000);  // the fanfare
  }

  void theGameStillEndsOnInterruptAndTerminate() {
    // As in the game, the signals start with their default action (the test
    // runner has handlers of its own there, which SDL would leave alone).
    constexpr int kSignals[] = {SIGINT, SIGTERM};
    struct sigaction runner[2], after[2];
    for (int i = 0; i < 2; ++i) {
      struct sigaction plain = {};
      plain.sa_handler = SIG_DFL;
      sigaction(kSignals[i], &plain, &runner[i]);
    }
    {
      SoundEffects effects;
      QVERIFY(effects.WaveOutputPresent());  // opens SDL's audio (dummy driver)
      for (int i = 0; i < 2; ++i)
        sigaction(kSignals[i], nullptr, &after[i]);
    }
    for (int i = 0; i < 2; ++i)
      sigaction(kSignals[i], &runner[i], nullptr);
    for (int i = 0; i < 2; ++i)
      QVERIFY(after[i].sa_handler == SIG_DFL);
  }
};

ZT_TEST_MAIN(SoundOutputTest)
#include "SoundOutputTest.moc"
