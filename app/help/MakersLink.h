#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace zt {

// The makers' page behind the Zindle button. It is opened with the desktop's
// default program; once that fails, the link stays off for the rest of the run
// and later presses do nothing.
class MakersLink {
 public:
  // Opens an address and tells whether that worked.
  using Opener = std::function<bool(const QUrl&)>;

  // An empty opener means the desktop's default program (QDesktopServices).
  explicit MakersLink(QUrl address, Opener opener = {});

  // The address chosen when the game was built (ZT_MAKERS_PAGE), or, by
  // default, the page "makers.html" in the program's folder.
  static QUrl Address(const QString& programDir);

  // Opens the page; false when the link is off or opening failed.
  bool Open();
  bool Enabled() const { return enabled_; }
  const QUrl& Target() const { return address_; }

 private:
  QUrl address_;
  Opener opener_;
  bool enabled_ = true;
};

}  // namespace zt
