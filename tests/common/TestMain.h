#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>

namespace zt::test {

// Gives the test process a private home, config and runtime folder and the
// offscreen platform, so that nothing a test does reaches the real user's
// settings or needs a display or a sound device.
inline QTemporaryDir* IsolateEnvironment() {
  static QTemporaryDir* home = new QTemporaryDir();
  const QByteArray path = home->path().toUtf8();
  qputenv("HOME", path);
  qputenv("XDG_CONFIG_HOME", path + "/config");
  qputenv("XDG_DATA_HOME", path + "/data");
  qputenv("XDG_CACHE_HOME", path + "/cache");
  QDir(home->path()).mkpath("runtime");
  QFile::setPermissions(home->path() + "/runtime",
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", path + "/runtime");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  return home;
}

// Gives the offscreen platform one screen of the given size (unless the caller
// chose another platform), for tests whose windows grow beyond the default
// screen. Call it after IsolateEnvironment and before the application starts.
inline bool UseOffscreenScreen(QTemporaryDir* home, int width, int height) {
  const QString config = home->filePath("screens.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, )"
                            R"("height": %2, "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                 .arg(width)
                 .arg(height)
                 .toUtf8());
  file.close();
  if (qEnvironmentVariable("QT_QPA_PLATFORM") == "offscreen") {
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  }
  return true;
}

// The folder the game's built files (atlases, tunes, help) were written to.
inline QString GameDir() {
  const QString fromEnv = qEnvironmentVariable("ZT_GAME_DIR");
  return fromEnv.isEmpty() ? QStringLiteral(ZT_GAME_DIR) : fromEnv;
}

}  // namespace zt::test

// Like QTEST_MAIN, with the environment isolated before Qt starts.
#define ZT_TEST_MAIN(TestObject)             \
  int main(int argc, char** argv) {          \
    zt::test::IsolateEnvironment();          \
    QApplication app(argc, argv);            \
    app.setAttribute(Qt::AA_Use96Dpi, true); \
    TestObject tc;                           \
    QTEST_SET_MAIN_SOURCE_PATH               \
    return QTest::qExec(&tc, argc, argv);    \
  }
