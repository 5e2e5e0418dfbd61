#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "core/SettingsStore.h"
#include "highscore/TextScrambler.h"

namespace zt {

// One place of a list: a time in clock ticks (smaller is better) and a name.
// Time 0 marks an empty place.
struct HighscoreEntry {
  QString name;
  std::int32_t time = 0;

  bool IsEmpty() const { return time == 0; }
  bool operator==(const HighscoreEntry&) const = default;
};

inline constexpr int kHighscorePlaces = 5;
// Places 1..5, the best first, the empty ones after the filled ones.
using HighscoreTable = std::array<HighscoreEntry, kHighscorePlaces>;

// The name of an empty place and the player's name before anyone typed one.
const QString& DefaultPlayerName();
HighscoreEntry EmptyEntry();

// The plain form of a stored entry: the time in decimal, a comma, the name
// (which may hold commas itself).
QString FormatEntry(const HighscoreEntry& entry);
// Reads the plain form. Anything that is not a decimal time of 32 bits before
// the first comma (an empty text, no comma, a sign, letters, an overflow) is
// an empty entry.
HighscoreEntry ParseEntry(const QString& plain);

// The place a new time earns: the first place that is empty or holds a worse
// time, so that an equal time stays in front; -1 when the list is full of
// times as good or better.
int PlaceFor(const HighscoreTable& table, std::int32_t time);
// Moves places `place`..4 one down (the last falls off) and puts entry there.
void InsertEntry(HighscoreTable& table, int place, const HighscoreEntry& entry);

// The lists in section "highscore" of the settings store: per variant key the
// values key+"0" .. key+"4", each an entry scrambled with the game's TextScrambler,
// and "player", the last confirmed name in plain text.
class HighscoreStore {
 public:
  static const QString kSection;
  static const QString kPlayerKey;

  HighscoreStore(SettingsStore& store, const TextScrambler& scrambler);

  QString ReadPlayerName() const;
  // Missing, empty or unreadable values are empty places. The places come back
  // in order of time, empties last (a list edited by hand may be out of order).
  HighscoreTable Load(const QString& variantKey) const;
  // Writes the player's name and all five places in one save; false when the
  // save failed.
  bool Save(const QString& variantKey, const HighscoreTable& table, const QString& playerName);
  // One save under the store's lock: the list as stored right now is read
  // again, change edits it and the player's name, and both are written back,
  // so that a list another copy of the game stored meanwhile is kept. The
  // list written is left in written when the save succeeded.
  bool Update(const QString& variantKey,
              const std::function<void(HighscoreTable& table, QString& playerName)>& change,
              HighscoreTable* written = nullptr);

 private:
  HighscoreTable LoadFrom(const SettingsReader& reader, const QString& variantKey) const;
  void Put(SettingsEdit& edit, const QString& variantKey, const HighscoreTable& table,
           const QString& playerName) const;

  SettingsStore& store_;
  const TextScrambler& scrambler_;
};

// What the high-score dialog does in one showing, without its widgets: load
// the list, place a new time, and on OK (with or without clearing the list)
// write it back; Cancel writes nothing.
class HighscoreSession {
 public:
  HighscoreSession(SettingsStore& store, const TextScrambler& scrambler);

  // Time 0 (or below): the list is shown as it is. A time above 0 is offered
  // to the list; returns false when it does not place, and the dialog is not
  // shown at all.
  bool Begin(const QString& variantKey, std::int32_t time);
  // OK. clearAll empties the list of this variant and resets the player's name,
  // dropping an entry made in this showing; otherwise typedName names the new
  // entry, if there is one, and becomes the player's name. The new entry goes
  // into the list as stored at this moment (another copy of the game may have
  // added to it). False when the list could not be saved.
  bool Confirm(bool clearAll, const QString& typedName);
  // Cancel: the new entry is lost and nothing is written.
  void Cancel();

  // Index 0..4 of the entry being named, or -1.
  int NewEntry() const { return NewEntry_; }
  const QString& PlayerName() const { return PlayerName_; }
  const HighscoreTable& Entries() const { return Entries_; }
  const QString& VariantKey() const { return VariantKey_; }

 private:
  HighscoreStore store_;
  QString VariantKey_;
  int NewEntry_ = -1;
  QString PlayerName_;
  HighscoreTable Entries_{};
};

}  // namespace zt
