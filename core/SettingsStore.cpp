#include "core/SettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <limits>

namespace zt {

SettingsStore::SettingsStore() = default;
SettingsStore::SettingsStore(QString iniPath) : iniPath_(std::move(iniPath)) {}
SettingsStore::~SettingsStore() = default;

std::unique_ptr<QSettings> SettingsStore::Open() const {
  if (!iniPath_.isEmpty()) return std::make_unique<QSettings>(iniPath_, QSettings::IniFormat);
#ifdef Q_OS_WIN
  return std::make_unique<QSettings>("HKEY_CURRENT_USER\\Software\\ZindleGames\\ZindleTavrin",
                                     QSettings::NativeFormat);
#else
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "ZindleGames",
                                     "ZindleTavrin");
#endif
}

QString SettingsStore::Group(const QString& section) {
  return "V1/" + section.toLower();
}

QString SettingsStore::Location() const {
  return Open()->fileName();
}

bool SettingsStore::ParseInteger(const QString& text, int& value) {
  if (text.isEmpty()) return false;
  int i = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return false;
  long long magnitude = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c.unicode() - '0');
    if (magnitude > 2147483648LL) return false;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(signedValue);
  return true;
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& def) const {
  auto settings = Open();
  settings->beginGroup(Group(section));
  const QVariant v = settings->value(key);
  if (!v.isValid()) return def;
  // An INI line written by hand with commas and no quotes reads as a list.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',');
  if (v.typeId() != QMetaType::QString) return def;
  return v.toString();
}

int SettingsStore::ReadInteger(const QString& section, const QString& key, int def) const {
  int value = 0;
  return ParseInteger(ReadString(section, key, QString()), value) ? value : def;
}

bool SettingsStore::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool SettingsStore::WriteString(const QString& section, const QString& key, const QString& value) {
  auto settings = Open();
  settings->beginGroup(Group(section));
  settings->setValue(key, value);
  settings->endGroup();
  settings->sync();
  return settings->status() == QSettings::NoError;
}

bool SettingsStore::WriteInteger(const QString& section, const QString& key, int value) {
  return WriteString(section, key, QString::number(value));
}

bool SettingsStore::WriteBool(const QString& section, const QString& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool SettingsStore::DeleteKey(const QString& section, const QString& key) {
  auto settings = Open();
  settings->beginGroup(Group(section));
  settings->remove(key);
  settings->endGroup();
  settings->sync();
  return settings->status() == QSettings::NoError;
}

}  // namespace zt
