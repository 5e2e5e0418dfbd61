#include "app/sound/MusicBox.h"

#include <QDir>

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"

namespace zt {

MusicBox::MusicBox()
    : MusicBox(std::make_unique<sound::MixerMusicPlayer>(sound::AudioDevice::Shared())) {}

MusicBox::MusicBox(std::unique_ptr<MusicPlayer> player) : player_(std::move(player)) {}

MusicBox::~MusicBox() {
  Close();
}

bool MusicBox::MusicStart(const QString& programDir) {
  return MusicStart(QStringList{programDir});
}

bool MusicBox::MusicStart(const QStringList& folders) {
  Close();
  folders_ = folders;
  closed_ = false;
  silent_ = false;
  broken_.clear();
  Search();
  current_ = files_.isEmpty() ? -1 : 0;
  return current_ >= 0;
}

void MusicBox::MusicUpkeep(bool musicOn) {
  if (!musicOn || closed_ || silent_ || current_ < 0) return;
  if (!opened_ && !OpenFrom(current_)) return;
  PlayCurrent();
}

void MusicBox::MidiBtnClick(bool down) {
  if (closed_ || current_ < 0) return;
  if (!down) {
    if (opened_) player_->Pause();
    return;
  }
  if (opened_) {
    player_->Stop();
    player_->Close();
    opened_ = false;
  }
  Step();
  if (current_ >= 0 && OpenFrom(current_)) PlayCurrent();
}

void MusicBox::Close() {
  if (opened_) {
    player_->Stop();
    player_->Close();
    opened_ = false;
  }
  closed_ = true;
}

QString MusicBox::CurrentFile() const {
  return current_ >= 0 ? files_[current_] : QString();
}

void MusicBox::Search() {
  // Any attributes, hidden files included; without CaseSensitive the pattern
  // also takes ".MID", as on the systems the tunes may come from.
  files_.clear();
  for (const QString& folder : folders_) {
    if (folder.isEmpty()) continue;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.mid")}, QDir::Files | QDir::Hidden | QDir::System,
                       QDir::Name | QDir::IgnoreCase))
      files_ << dir.filePath(name);
  }
}

void MusicBox::Step() {
  if (current_ + 1 < files_.size()) {
    ++current_;
    return;
  }
  // Past the last file the search starts again, and sees the folder as it is now.
  Search();
  current_ = files_.isEmpty() ? -1 : 0;
}

bool MusicBox::OpenFrom(qsizetype first) {
  const qsizetype count = files_.size();
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype index = (first + i) % count;
    if (broken_.contains(files_[index])) continue;
    current_ = index;
    if (player_->Open(CurrentFile())) {
      opened_ = true;
      silent_ = false;
      return true;
    }
    broken_.insert(files_[index]);
  }
  // Nothing left to try: stay quiet until the player asks for another file.
  silent_ = true;
  return false;
}

void MusicBox::PlayCurrent() {
  // Every round either returns or marks one more file broken, so this ends.
  while (opened_) {
    if (player_->Playing()) return;
    if (!player_->Broken() && player_->Play()) return;
    broken_.insert(files_[current_]);
    player_->Close();
    opened_ = false;
    OpenFrom((current_ + 1) % files_.size());
  }
}

}  // namespace zt
