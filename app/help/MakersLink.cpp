#include "app/help/MakersLink.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifndef ZT_MAKERS_PAGE
#define ZT_MAKERS_PAGE ""
#endif

namespace zt {

MakersLink::MakersLink(QUrl address, Opener opener)
    : address_(std::move(address)), opener_(std::move(opener)) {
  if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QUrl MakersLink::Address(const QString& programDir) {
  const QString configured = QStringLiteral(ZT_MAKERS_PAGE);
  if (!configured.isEmpty()) return QUrl::fromUserInput(configured);
  return QUrl::fromLocalFile(QDir(programDir).filePath("makers.html"));
}

bool MakersLink::Open() {
  if (!enabled_) return false;
  // The desktop would report success for a page that is not there and then
  // show an error of its own.
  const bool missing = address_.isLocalFile() && !QFileInfo(address_.toLocalFile()).isFile();
  if (!address_.isValid() || address_.isEmpty() || missing || !opener_(address_)) {
    enabled_ = false;
    return false;
  }
  return true;
}

}  // namespace zt
