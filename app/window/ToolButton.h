#pragma once

#include <QRect>
#include <QString>
#include <QToolButton>

namespace zt {

// A flat toolbar button with a picture that never takes the keyboard focus.
// A button that reacts on the press (the option button) does so for every
// mouse button.
class ToolButton : public QToolButton {
  Q_OBJECT
 public:
  // glyph names the picture ":/ui/glyph_<glyph>.png".
  ToolButton(QWidget* parent, const QString& glyph, QRect place, bool checkable = false);
  bool reactOnPress = false;
 signals:
  void pressedWith(int button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace zt
