#include "app/window/ToolButton.h"

#include <QFile>
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
  // Every scale is added, so a zoomed toolbar shows the finer glyphs too.
  QIcon icon;
  for (const char* scale : {"", "@2x", "@3x"}) {
    const QString file = ":/ui/glyph_" + glyph + scale + ".png";
    if (QFile::exists(file)) icon.addFile(file);
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
