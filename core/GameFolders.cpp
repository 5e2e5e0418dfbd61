#include "core/GameFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The installed data folder as seen from the installed program's folder; the
// build computes it from the install layout.
#ifndef ZT_DATA_FROM_PROGRAM
#define ZT_DATA_FROM_PROGRAM "../share/games/zindle-tavrin"
#endif

namespace zt {

namespace {

QString WithSlash(QString path) {
  if (!path.endsWith('/')) path += '/';
  return path;
}

}  // namespace

QString FindGameFolder(const QString& programDir) {
  const QFileInfo installed(QDir(programDir).filePath(QStringLiteral(ZT_DATA_FROM_PROGRAM)));
  if (installed.isDir()) return WithSlash(QDir::cleanPath(installed.absoluteFilePath()));
  return WithSlash(programDir);
}

QString UserMusicFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) return QString();
  return WithSlash(QDir(data).filePath(QStringLiteral("zindle-tavrin/music")));
}

}  // namespace zt
