#include "app/window/ClockDisplay.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/host/PuzzleHost.h"
#include "core/Texts.h"

namespace zt {

namespace {
constexpr QPoint kPlace(312, 7);  // in the toolbar
}

ClockDisplay::ClockDisplay(QWidget* parent, PuzzleHost& host) : QWidget(parent), host_(host) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(QRect(kPlace, QSize(PuzzleHost::kClockWidth, PuzzleHost::kClockHeight)));
}

void ClockDisplay::Show(bool inPaint) {
  if (painting_) return;
  showing_ = true;
  if (inPaint) {
    update();
  } else {
    repaint();
  }
}

void ClockDisplay::NameTime(std::int32_t clock, bool german) {
  if (clock == namedClock_ && german == namedGerman_) return;
  namedClock_ = clock;
  namedGerman_ = german;
  setAccessibleName(ClockName(clock, german));
}

void ClockDisplay::paintEvent(QPaintEvent* /*event*/) {
  painting_ = true;
  // A paint request of the window system draws the clock afresh.
  if (!showing_) host_.RepaintClock();
  showing_ = false;
  QPainter p(this);
  // The clock picture at its own scale fills the field at the window's zoom.
  p.drawImage(QRectF(rect()), host_.ClockImage());
  painting_ = false;
}

}  // namespace zt
