// The list of MIDI files in the program's folder and the music box that
// steps through it: any file names, any of them failing to open or stopping
// at once when played, and any sequence of timer ticks and presses of the
// music button. A file that failed is not tried again in the same run, and
// the box never names a file that is not in the folder.
#include <QDir>
#include <QFileInfo>
#include <map>

#include "app/sound/MusicBox.h"
#include "fuzz/FuzzKit.h"

namespace {

// A player whose files fail as the input says: by the first byte of a name,
// "o" cannot be opened, "b" loads but stops at once; the others play until the
// input says they ended.
class ScriptedPlayer : public zt::MusicPlayer {
 public:
  std::map<QString, int> opens;  // by file name
  bool ended = false;

  bool Open(const QString& path) override {
    const QString name = QFileInfo(path).fileName();
    ZT_FUZZ_CHECK(QFileInfo(path).isFile());
    ++opens[name];
    if (name.startsWith('o')) return false;
    file_ = name;
    open_ = true;
    playing_ = false;
    return true;
  }
  bool Play() override {
    ZT_FUZZ_CHECK(open_);
    if (file_.startsWith('b')) return false;
    playing_ = true;
    return true;
  }
  void Pause() override { playing_ = false; }
  void Stop() override { playing_ = false; }
  void Close() override {
    open_ = false;
    playing_ = false;
  }
  bool Playing() override { return playing_ && !ended; }
  bool Broken() override { return open_ && file_.startsWith('b'); }

 private:
  QString file_;
  bool open_ = false;
  bool playing_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

// The input: file names separated by newlines, then a NUL, then one byte per
// step: 0 a timer tick with the music on, 1 one with it off, 2 the button
// down, 3 the button up, 4 the tune ends, 5 it plays again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const qsizetype split = bytes.indexOf('\0');
  const QByteArray names = split < 0 ? bytes : bytes.left(split);
  const QByteArray steps = split < 0 ? QByteArray() : bytes.mid(split + 1, 200);

  QDir folder(zt::fuzz::Scratch().filePath("music"));
  folder.removeRecursively();
  folder.mkpath(".");
  int made = 0;
  for (const QByteArray& name : names.split('\n')) {
    const QString file = QString::fromUtf8(name);
    if (file.isEmpty() || file.contains('/') || file == "." || file == ".." || ++made > 20)
      continue;
    QFile(folder.filePath(file)).open(QIODevice::WriteOnly);
  }

  auto player = std::make_unique<ScriptedPlayer>();
  ScriptedPlayer& p = *player;
  zt::MusicBox box(std::move(player));
  const bool any = box.MusicStart(folder.path());
  ZT_FUZZ_CHECK(any == !folder.entryList({"*.mid"}, QDir::Files | QDir::Hidden).isEmpty());
  for (const char step : steps) {
    switch (step % 6) {
      case 0:
        box.MusicUpkeep(true);
        break;
      case 1:
        box.MusicUpkeep(false);
        break;
      case 2:
        box.MidiBtnClick(true);
        break;
      case 3:
        box.MidiBtnClick(false);
        break;
      case 4:
        p.ended = true;
        break;
      default:
        p.ended = false;
        break;
    }
    const QString current = box.CurrentFile();
    if (!current.isEmpty()) ZT_FUZZ_CHECK(QFileInfo(current).isFile());
  }
  for (const auto& [name, count] : p.opens) {
    if (name.startsWith('o') || name.startsWith('b')) ZT_FUZZ_CHECK(count == 1);
  }
  box.Close();
  return 0;
}
