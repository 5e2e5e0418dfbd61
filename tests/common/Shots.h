#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

namespace zt::test {

// Saves a picture of a window when ZT_SHOTS_DIR names a folder, so the
// windows can be looked at; without it nothing is written.
inline void SaveShot(QWidget& window, const QString& name) {
  const QString dir = qEnvironmentVariable("ZT_SHOTS_DIR");
  if (dir.isEmpty() || !QDir().mkpath(dir)) return;
  window.grab().toImage().save(QDir(dir).filePath(name + ".png"));
}

}  // namespace zt::test
