#include "app/window/ToolButton.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>

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
  // Every scale is added by its pixel size (the "@2x" name would make it a
  // 20-pixel glyph for dense screens only), so a zoomed toolbar shows the
  // finer glyphs at their full size too.
  QIcon icon;
  for (const char* scale : {"", "@2x", "@3x"}) {
    QPixmap picture(":/ui/glyph_" + glyph + scale + ".png");
    if (picture.isNull()) continue;
    picture.setDevicePixelRatio(1);
    icon.addPixmap(picture);
  }
  setIcon(icon);
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
