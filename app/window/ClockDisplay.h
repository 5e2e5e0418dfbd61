#pragma once

#include <QWidget>

namespace zt {

class PuzzleHost;

// The clock in the toolbar: shows the host's clock picture.
class ClockDisplay final : public QWidget {
 public:
  ClockDisplay(QWidget* parent, PuzzleHost& host);
  // Shows the clock picture now; inside another paint it joins that paint.
  void Show(bool inPaint);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PuzzleHost& host_;
  bool showing_ = false;
  bool painting_ = false;
};

}  // namespace zt
