#include "highscore/HighscoreList.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/SettingsKeys.h"

namespace zt {

const QString HighscoreStore::kSection = QString::fromLatin1(settings::kHighscoreSection);
const QString HighscoreStore::kPlayerKey = QString::fromLatin1(settings::kPlayerKey);

const QString& DefaultPlayerName() {
  static const QString name = QStringLiteral("Mr. Brain");
  return name;
}

HighscoreEntry EmptyEntry() {
  return HighscoreEntry{DefaultPlayerName(), 0};
}

QString FormatEntry(const HighscoreEntry& entry) {
  return QString::number(entry.time) + ',' + entry.name;
}

HighscoreEntry ParseEntry(const QString& plain) {
  const qsizetype comma = plain.indexOf(',');
  if (comma <= 0) return EmptyEntry();
  std::int64_t time = 0;
  for (qsizetype i = 0; i < comma; ++i) {
    const char16_t c = plain[i].unicode();
    if (c < u'0' || c > u'9') return EmptyEntry();
    time = time * 10 + (c - u'0');
    if (time > std::numeric_limits<std::int32_t>::max()) return EmptyEntry();
  }
  return HighscoreEntry{plain.mid(comma + 1), static_cast<std::int32_t>(time)};
}

int PlaceFor(const HighscoreTable& table, std::int32_t time) {
  for (int i = 0; i < kHighscorePlaces; ++i) {
    if (table[i].IsEmpty() || table[i].time > time) return i;
  }
  return -1;
}

void InsertEntry(HighscoreTable& table, int place, const HighscoreEntry& entry) {
  if (place < 0 || place >= kHighscorePlaces) return;
  std::move_backward(table.begin() + place, table.end() - 1, table.end());
  table[place] = entry;
}

HighscoreStore::HighscoreStore(SettingsStore& store, const TextScrambler& scrambler)
    : store_(store), scrambler_(scrambler) {}

QString HighscoreStore::ReadPlayerName() const {
  return store_.ReadString(kSection, kPlayerKey, DefaultPlayerName());
}

HighscoreTable HighscoreStore::Load(const QString& variantKey) const {
  return LoadFrom(store_, variantKey);
}

HighscoreTable HighscoreStore::LoadFrom(const SettingsReader& reader,
                                        const QString& variantKey) const {
  HighscoreTable table;
  for (int i = 0; i < kHighscorePlaces; ++i) {
    const QString stored = reader.ReadString(kSection, variantKey + QString::number(i), QString());
    table[i] = ParseEntry(scrambler_.Decode(stored));
  }
  // Lists this game writes are in order already; a stable sort keeps them as
  // they are and puts a hand-edited one into the order the placing relies on.
  std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) {
    if (a.IsEmpty() != b.IsEmpty()) return b.IsEmpty();
    return a.time < b.time;
  });
  return table;
}

void HighscoreStore::Put(SettingsEdit& edit, const QString& variantKey, const HighscoreTable& table,
                         const QString& playerName) const {
  edit.SetString(kSection, kPlayerKey, playerName);
  for (int i = 0; i < kHighscorePlaces; ++i) {
    edit.SetString(kSection, variantKey + QString::number(i),
                   scrambler_.Encode(FormatEntry(table[i])));
  }
}

bool HighscoreStore::Save(const QString& variantKey, const HighscoreTable& table,
                          const QString& playerName) {
  return store_.Edit([&](SettingsEdit& edit) { Put(edit, variantKey, table, playerName); });
}

bool HighscoreStore::Update(
    const QString& variantKey,
    const std::function<void(HighscoreTable& table, QString& playerName)>& change,
    HighscoreTable* written) {
  HighscoreTable table;
  const bool ok = store_.Edit([&](SettingsEdit& edit) {
    table = LoadFrom(edit, variantKey);
    QString playerName = edit.ReadString(kSection, kPlayerKey, DefaultPlayerName());
    change(table, playerName);
    Put(edit, variantKey, table, playerName);
  });
  if (ok && written) *written = table;
  return ok;
}

HighscoreSession::HighscoreSession(SettingsStore& store, const TextScrambler& scrambler)
    : store_(store, scrambler), PlayerName_(store_.ReadPlayerName()) {}

bool HighscoreSession::Begin(const QString& variantKey, std::int32_t time) {
  VariantKey_ = variantKey;
  NewEntry_ = -1;
  Entries_ = store_.Load(variantKey);
  if (time <= 0) return true;
  const int place = PlaceFor(Entries_, time);
  if (place < 0) return false;
  InsertEntry(Entries_, place, HighscoreEntry{PlayerName_, time});
  NewEntry_ = place;
  return true;
}

bool HighscoreSession::Confirm(bool clearAll, const QString& typedName) {
  if (VariantKey_.isEmpty()) return false;  // no list was shown
  std::optional<HighscoreEntry> named;
  if (clearAll) {
    PlayerName_ = DefaultPlayerName();
  } else if (NewEntry_ >= 0) {
    PlayerName_ = typedName;
    named = HighscoreEntry{PlayerName_, Entries_[NewEntry_].time};
  }
  NewEntry_ = -1;
  return store_.Update(
      VariantKey_,
      [&](HighscoreTable& table, QString& playerName) {
        if (clearAll) table.fill(EmptyEntry());
        if (named) InsertEntry(table, PlaceFor(table, named->time), *named);
        playerName = PlayerName_;
      },
      &Entries_);
}

void HighscoreSession::Cancel() {
  NewEntry_ = -1;
}

}  // namespace zt
