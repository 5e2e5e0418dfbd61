#pragma once

#include <QLabel>

namespace zt {

// The current variant's number over the play area. A press on it steps the
// variant as the option button does, for every mouse button.
class LevelLabel : public QLabel {
  Q_OBJECT
 public:
  static constexpr QSize kSize{77, 32};

  explicit LevelLabel(QWidget* parent);
 signals:
  void pressedWith(int button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace zt
