#include "app/startup/SplashWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace zt {

// A plain frameless dialog, not Qt's splash-screen window type: Qt handles
// pending events while such a window is shown outside the application's event
// loop, and a tick handled there would close the splash before exec() starts
// waiting, leaving exec() waiting for good.
SplashWindow::SplashWindow(QWidget* parent, int intervalMs)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(":/lang/splash.png") {
  QFont f;
  f.setFamilies({"Liberation Sans", "DejaVu Sans"});
  f.setPixelSize(11);
  setFont(f);
  setFixedSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&CloseTimer, &QTimer::timeout, this, &SplashWindow::Click);
  CloseTimer.start(intervalMs);
}

void SplashWindow::Click() {
  if (isVisible()) done(QDialog::Rejected);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (picture_.isNull()) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  p.drawPixmap(0, 0, picture_);
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) Click();
}

void SplashWindow::hideEvent(QHideEvent* event) {
  CloseTimer.stop();
  QDialog::hideEvent(event);
}

void SplashWindow::showEvent(QShowEvent* event) {
  QScreen* s = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (s) {
    const QRect area = s->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
  QDialog::showEvent(event);
}

}  // namespace zt
