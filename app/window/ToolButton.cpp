#include "app/window/ToolButton.h"

#include <QIcon>
#include <QMouseEvent>

#include "app/window/MouseButton.h"

namespace zt {

namespace {
constexpr QSize kGlyphSize(20, 20);
}

ToolButton::ToolButton(QWidget* parent, const QString& glyph, QRect place, bool checkable)
    : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setCheckable(checkable);
  setGeometry(place);
  setIconSize(kGlyphSize);
  setIcon(QIcon(":/ui/glyph_" + glyph + ".png"));
}

void ToolButton::mousePressEvent(QMouseEvent* event) {
  if (reactOnPress) {
    const int button = PuzzleButton(event->button());
    if (button >= 0 && isEnabled()) {
      setDown(true);
      emit pressedWith(button);
      setDown(false);
    }
    return;
  }
  QToolButton::mousePressEvent(event);
}

}  // namespace zt
