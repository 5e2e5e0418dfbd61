#pragma once

#include <QString>
#include <functional>
#include <memory>

class QSettings;

namespace zt {

// Reading values of the store: sections of string values.
class SettingsReader {
 public:
  virtual ~SettingsReader() = default;

  virtual QString ReadString(const QString& section, const QString& key,
                             const QString& def) const = 0;
  // Missing values, texts that are not decimal 32-bit integers and values of
  // another type give the default.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  // An integer with default 1 or 0; true when it is not 0.
  bool ReadBool(const QString& section, const QString& key, bool def) const;
};

// One save in progress: reads see the file as it is under the save's lock,
// and the values set here are written together when the save ends.
class SettingsEdit : public SettingsReader {
 public:
  explicit SettingsEdit(QSettings& settings) : settings_(settings) {}

  QString ReadString(const QString& section, const QString& key, const QString& def) const override;
  void SetString(const QString& section, const QString& key, const QString& value);
  void SetInteger(const QString& section, const QString& key, int value);
  void SetBool(const QString& section, const QString& key, bool value);
  void Remove(const QString& section, const QString& key);

 private:
  QSettings& settings_;
};

// The per-user settings: sections of string values. On Windows they live in
// the registry under HKEY_CURRENT_USER\Software\ZindleGames\ZindleTavrin\V1,
// elsewhere in an INI file in the user's config folder, group "V1/<section>".
// Section names are compared without regard to case, as registry keys are.
// Every call opens the store for itself; nothing is cached.
//
// In a file, every save is one replacement of the whole file: the values are
// written to a new file beside it, which then takes the old one's name, so a
// save killed half-way leaves the old file whole. Saves take "<file>.lock";
// a lock that cannot be had within a second fails the save.
class SettingsStore : public SettingsReader {
 public:
  // A file larger than this is not read; see Salvage().
  static constexpr qint64 kMaxFileBytes = 1 << 20;
  static constexpr int kLockWaitMs = 1000;

  // The real user's store.
  SettingsStore();
  // A store in the given INI file (tests and tools).
  explicit SettingsStore(QString iniPath);
  ~SettingsStore() override;

  QString ReadString(const QString& section, const QString& key, const QString& def) const override;

  // One save: change reads the current values and sets new ones, all written
  // at once. False when the save failed (no lock within a second, no access,
  // a folder where the file should be, a full disk, a size limit); the file is
  // then as it was.
  bool Edit(const std::function<void(SettingsEdit&)>& change);

  // Saves of a single value.
  bool WriteInteger(const QString& section, const QString& key, int value);
  bool WriteBool(const QString& section, const QString& key, bool value);
  bool WriteString(const QString& section, const QString& key, const QString& value);
  bool DeleteKey(const QString& section, const QString& key);

  // A file that cannot be read whole (a line the INI reader rejects, or larger
  // than kMaxFileBytes) is kept beside it before anything is written to it:
  // a damaged one is copied, an oversized one moved aside, so that the game
  // goes on with what could be read. Returns the name of the copy made, or an
  // empty text when the file was fine (or missing, or no copy could be made).
  // Saves do the same quietly; call this at start-up to tell the player.
  QString Salvage();

  // Where the store lives, for messages.
  QString Location() const;

  // A decimal integer as the store reads it: optional sign, digits, nothing
  // else, within 32 bits.
  static bool ParseInteger(const QString& text, int& value);

 private:
  std::unique_ptr<QSettings> Open() const;
  bool Oversized() const;
  // The file's path when the store is an INI file, otherwise empty.
  QString FilePath() const;
  // With the lock held.
  QString SalvageLocked(const QString& path);

  QString iniPath_;  // empty: the user's own store
};

}  // namespace zt
