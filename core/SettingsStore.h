#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace zt {

// The per-user settings: sections of string values. On Windows they live in
// the registry under HKEY_CURRENT_USER\Software\ZindleGames\ZindleTavrin\V1,
// elsewhere in an INI file in the user's config folder, group "V1/<section>".
// Section names are compared without regard to case, as registry keys are.
// Every call opens the store for itself; nothing is cached.
class SettingsStore {
 public:
  // The real user's store.
  SettingsStore();
  // A store in the given INI file (tests and tools).
  explicit SettingsStore(QString iniPath);
  ~SettingsStore();

  // Missing values, texts that are not decimal 32-bit integers and values of
  // another type give the default.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  // An integer with default 1 or 0; true when it is not 0.
  bool ReadBool(const QString& section, const QString& key, bool def) const;
  QString ReadString(const QString& section, const QString& key, const QString& def) const;

  // Writes return false when the value could not be stored (no access, a
  // folder where the file should be, a full disk).
  bool WriteInteger(const QString& section, const QString& key, int value);
  bool WriteBool(const QString& section, const QString& key, bool value);
  bool WriteString(const QString& section, const QString& key, const QString& value);
  bool DeleteKey(const QString& section, const QString& key);

  // Where the store lives, for messages.
  QString Location() const;

  // A decimal integer as the store reads it: optional sign, digits, nothing
  // else, within 32 bits.
  static bool ParseInteger(const QString& text, int& value);

 private:
  std::unique_ptr<QSettings> Open() const;
  static QString Group(const QString& section);

  QString iniPath_;  // empty: the user's own store
};

}  // namespace zt
