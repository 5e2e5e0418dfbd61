#pragma once

#include <QWidget>
#include <cstdint>

namespace zt {

class PuzzleHost;

// The clock in the toolbar: shows the host's clock picture.
class ClockDisplay final : public QWidget {
 public:
  ClockDisplay(QWidget* parent, PuzzleHost& host);
  // Shows the clock picture now; inside another paint it joins that paint.
  void Show(bool inPaint);
  // The accessible name carries the time shown; renamed only on a change.
  void NameTime(std::int32_t clock, bool german);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PuzzleHost& host_;
  bool showing_ = false;
  bool painting_ = false;
  std::int32_t namedClock_ = -1;
  bool namedGerman_ = false;
};

}  // namespace zt
