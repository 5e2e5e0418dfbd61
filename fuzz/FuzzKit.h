#pragma once

// What every fuzz target shares: one Qt application on the offscreen platform
// with a private home, a scratch folder for the files a target hands to the
// game's loaders, and a check that stops the run like a crash would.

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zt::fuzz {

// A broken promise of the code under test: libFuzzer keeps the input.
#define ZT_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

inline QTemporaryDir& Scratch() {
  static QTemporaryDir* dir = new QTemporaryDir();
  return *dir;
}

// Creates the application once; App is QCoreApplication, QGuiApplication or
// QApplication. Nothing a target does may reach the real user's files.
template <typename App>
void StartQt() {
  const QByteArray home = Scratch().path().toUtf8();
  qputenv("HOME", home);
  qputenv("XDG_CONFIG_HOME", home + "/config");
  qputenv("XDG_DATA_HOME", home + "/data");
  qputenv("XDG_CACHE_HOME", home + "/cache");
  qputenv("XDG_RUNTIME_DIR", home + "/runtime");
  QDir(Scratch().path()).mkpath("runtime");
  QFile::setPermissions(Scratch().path() + "/runtime",
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Warnings about malformed input are expected by the thousand.
  qputenv("QT_LOGGING_RULES", "*.warning=false");
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static App* app = new App(argc, argv);
  (void)app;
}

inline bool WriteFile(const QString& path, const std::uint8_t* data, std::size_t size) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const qint64 n = static_cast<qint64>(size);
  return file.write(reinterpret_cast<const char*>(data), n) == n;
}

// The bytes as UTF-16 code units, lone surrogates and all (an odd last byte
// is dropped).
// Writes a settings file for the settings library to read. It keeps parsed
// files and takes one of the same name, length and modification time (to the
// millisecond) for unchanged, so every file gets a time of its own. Reusing
// the name keeps that cache from growing, which would make libFuzzer look for
// leaks after every input.
inline bool WriteSettingsFile(const QString& path, const std::uint8_t* data, std::size_t size) {
  static qint64 serial = 0;
  if (!WriteFile(path, data, size)) return false;
  QFile file(path);
  return file.open(QIODevice::ReadWrite) &&
         file.setFileTime(QDateTime::fromMSecsSinceEpoch(++serial, Qt::UTC),
                          QFileDevice::FileModificationTime);
}

inline QString Utf16(const std::uint8_t* data, std::size_t size) {
  return QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
}

inline QString Utf8(const std::uint8_t* data, std::size_t size) {
  return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace zt::fuzz
