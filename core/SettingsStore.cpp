#include "core/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>
#include <filesystem>
#include <limits>
#include <system_error>

namespace zt {

namespace {

QString Group(const QString& section) {
  return "V1/" + section.toLower();
}

QString ReadFrom(QSettings& settings, const QString& section, const QString& key,
                 const QString& def) {
  settings.beginGroup(Group(section));
  const QVariant v = settings.value(key);
  settings.endGroup();
  if (!v.isValid()) return def;
  // An INI line written by hand with commas and no quotes reads as a list.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',');
  if (v.typeId() != QMetaType::QString) return def;
  return v.toString();
}

// Copies the file at path (at most maxBytes of it; false when it is larger or
// cannot be read) into copy, a new file of its own.
bool CopyInto(const QString& path, QTemporaryFile& copy, qint64 maxBytes) {
  if (!copy.open()) return false;
  if (QFileInfo::exists(path)) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.read(maxBytes + 1);
    if (bytes.size() > maxBytes) return false;
    if (copy.write(bytes) != bytes.size() || !copy.flush()) return false;
  }
  copy.close();
  return true;
}

// The number of different keys the lines of an INI text name. The reader
// passes over some lines it cannot use without a word (a line without "=",
// everything after a quote left open): then it reads fewer keys than this.
qsizetype KeyLines(const QByteArray& text) {
  QSet<QByteArray> keys;
  QByteArray section;
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      section = line;
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    keys.insert(section + '\x01' + (equals < 0 ? line : line.left(equals).trimmed()));
  }
  return keys.size();
}

// path + ".damaged", or with a number when that is taken already: an earlier
// copy is never overwritten.
QString FreeDamagedName(const QString& path) {
  const QString base = path + ".damaged";
  if (!QFileInfo::exists(base)) return base;
  for (int n = 2; n < 100; ++n) {
    const QString name = base + '-' + QString::number(n);
    if (!QFileInfo::exists(name)) return name;
  }
  return {};
}

// Removes what saves killed half-way left beside the file: their copies
// (path + "." and six letters or digits) and the copies' own locks. Called
// with the store's lock held, when no other save can be writing them.
void RemoveLeftovers(const QString& path) {
  const QFileInfo info(path);
  const QRegularExpression leftover('^' + QRegularExpression::escape(info.fileName()) +
                                    R"(\.[A-Za-z0-9]{6}(\.lock)?$)");
  const QDir dir = info.absoluteDir();
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (leftover.match(name).hasMatch()) QFile::remove(dir.filePath(name));
  }
}

}  // namespace

int SettingsReader::ReadInteger(const QString& section, const QString& key, int def) const {
  int value = 0;
  return SettingsStore::ParseInteger(ReadString(section, key, QString()), value) ? value : def;
}

bool SettingsReader::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QString SettingsEdit::ReadString(const QString& section, const QString& key,
                                 const QString& def) const {
  return ReadFrom(settings_, section, key, def);
}

void SettingsEdit::SetString(const QString& section, const QString& key, const QString& value) {
  settings_.beginGroup(Group(section));
  settings_.setValue(key, value);
  settings_.endGroup();
}

void SettingsEdit::SetInteger(const QString& section, const QString& key, int value) {
  SetString(section, key, QString::number(value));
}

void SettingsEdit::SetBool(const QString& section, const QString& key, bool value) {
  SetString(section, key, value ? "1" : "0");
}

void SettingsEdit::Remove(const QString& section, const QString& key) {
  settings_.beginGroup(Group(section));
  settings_.remove(key);
  settings_.endGroup();
}

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

QString SettingsStore::FilePath() const {
  if (!iniPath_.isEmpty()) return QFileInfo(iniPath_).absoluteFilePath();
#ifdef Q_OS_WIN
  return {};
#else
  return Open()->fileName();
#endif
}

QString SettingsStore::Location() const {
  return Open()->fileName();
}

bool SettingsStore::Oversized() const {
  const QString path = FilePath();
  return !path.isEmpty() && QFileInfo(path).size() > kMaxFileBytes;
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
  // An oversized file is not parsed on every read; Salvage() moves it aside.
  if (Oversized()) return def;
  auto settings = Open();
  return ReadFrom(*settings, section, key, def);
}

QString SettingsStore::SalvageLocked(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile()) return {};
  const QString target = FreeDamagedName(path);
  if (target.isEmpty()) return {};
  if (info.size() > kMaxFileBytes) return QFile::rename(path, target) ? target : QString();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.read(kMaxFileBytes + 1);
  file.close();
  // A copy of its own is parsed afresh: the reader's cache of an unchanged
  // file would not report a format error again.
  QTemporaryFile copy(path + ".XXXXXX");
  if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) return {};
  copy.close();
  QSettings settings(copy.fileName(), QSettings::IniFormat);
  if (settings.status() != QSettings::FormatError && KeyLines(bytes) <= settings.allKeys().size()) {
    return {};
  }
  return QFile::copy(path, target) ? target : QString();
}

QString SettingsStore::Salvage() {
  const QString path = FilePath();
  if (path.isEmpty()) return {};
  QLockFile lock(path + ".lock");
  if (!lock.tryLock(kLockWaitMs)) return {};
  return SalvageLocked(path);
}

bool SettingsStore::Edit(const std::function<void(SettingsEdit&)>& change) {
  const QString path = FilePath();
  if (path.isEmpty()) {
    // The registry: each value is a write of its own.
    auto settings = Open();
    SettingsEdit edit(*settings);
    change(edit);
    settings->sync();
    return settings->status() == QSettings::NoError;
  }

  const QFileInfo info(path);
  if (!QDir().mkpath(info.absolutePath())) return false;
  if (info.exists() && (!info.isFile() || !info.isWritable())) return false;
  QLockFile lock(path + ".lock");
  if (!lock.tryLock(kLockWaitMs)) return false;

  RemoveLeftovers(path);
  const QString salvaged = SalvageLocked(path);
  if (!salvaged.isEmpty()) qWarning("Settings file kept as %s", qPrintable(salvaged));
  const QFileInfo before(path);
  QTemporaryFile copy(path + ".XXXXXX");
  if (!CopyInto(path, copy, kMaxFileBytes)) return false;
  {
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    SettingsEdit edit(settings);
    change(edit);
    settings.sync();
    // A format error is the reading's; only a failed write fails the save.
    if (settings.status() == QSettings::AccessError) return false;
  }

  QFile replacement(copy.fileName());
  if (before.exists()) {
    replacement.setPermissions(QFile::permissions(path));
    // Readers tell a changed file by its size and time: a replacement of the
    // same size within the same millisecond must still count as new.
    const QDateTime oldTime = before.lastModified();
    if (QFileInfo(copy.fileName()).lastModified() <= oldTime &&
        replacement.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
      replacement.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
      replacement.close();
    }
  } else {
    replacement.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                               QFile::ReadOther);
  }
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(copy.fileName().toStdU16String()),
                          std::filesystem::path(path.toStdU16String()), error);
  return !error;
}

bool SettingsStore::WriteString(const QString& section, const QString& key, const QString& value) {
  return Edit([&](SettingsEdit& edit) { edit.SetString(section, key, value); });
}

bool SettingsStore::WriteInteger(const QString& section, const QString& key, int value) {
  return WriteString(section, key, QString::number(value));
}

bool SettingsStore::WriteBool(const QString& section, const QString& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool SettingsStore::DeleteKey(const QString& section, const QString& key) {
  return Edit([&](SettingsEdit& edit) { edit.Remove(section, key); });
}

}  // namespace zt
