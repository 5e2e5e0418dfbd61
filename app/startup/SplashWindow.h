#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

namespace zt {

// The splash window: the game's picture, borderless and always on top,
// centred on the screen. Shown modally (exec) at the main window's first
// activation; closed by a click or by CloseTimer.
//
// CloseTimer starts when the splash is created and repeats every interval. A tick
// while the splash is hidden does nothing, so a splash shown late (start-up
// took longer than one interval) still closes at the next tick and never
// stays up for good: it is seen for the rest of the current interval.
class SplashWindow final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kInterval = 3000;

  // intervalMs other than kInterval only for tests.
  explicit SplashWindow(QWidget* parent = nullptr, int intervalMs = kInterval);

  QTimer CloseTimer;

  // Closes the splash if it is shown.
  void Click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // The splash shows once a run: once it has gone, its timer has nothing left
  // to do, and an idle game should not wake for it.
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace zt
