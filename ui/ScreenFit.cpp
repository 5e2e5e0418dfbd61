#include "ui/ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zt {

Desktop CurrentDesktop() {
  Desktop desktop;
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (int i = 0; i < screens.size(); ++i) {
    desktop.screens.push_back({screens[i]->geometry(), screens[i]->availableGeometry()});
    if (screens[i] == QGuiApplication::primaryScreen()) desktop.primary = i;
  }
  return desktop;
}

QMargins FrameMargins(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

void MoveOntoScreenOf(QWidget* window, const QWidget* mainWindow, QPoint place) {
  const QSize frame = window->frameGeometry().size();
  const Desktop desktop = CurrentDesktop();
  if (mainWindow != nullptr) {
    window->move(PlaceOnScreenOf(desktop, mainWindow->frameGeometry(), place, frame));
  } else if (!desktop.screens.empty()) {
    window->move(MoveInto(place, frame, desktop.screens[desktop.primary].available));
  }
}

FramePlacer::FramePlacer(QWidget* window, Place place)
    : QObject(window), window_(window), place_(std::move(place)) {
  window_->installEventFilter(this);
}

void FramePlacer::Apply() {
  const QMargins frame = FrameMargins(window_);
  const QRect outer = place_(frame);
  const QSize inner = outer.size().shrunkBy(frame);
  if (inner != window_->size() && window_->minimumSize() != window_->maximumSize()) {
    window_->resize(inner);
  }
  window_->move(outer.topLeft());
  applied_ = frame;
  // Only a window manager draws frames; until one has, there may be none.
  if (!frame.isNull()) frameKnown_ = true;
}

bool FramePlacer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && !frameKnown_ && window_->isVisible()) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) &&
        FrameMargins(window_) != applied_) {
      Apply();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zt
