#include "app/window/LevelLabel.h"

#include <QMouseEvent>

#include "app/window/MouseButton.h"

namespace zt {

LevelLabel::LevelLabel(QWidget* parent) : QLabel(parent) {
  setFixedSize(kSize);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont f("Arial");
  f.setPixelSize(27);
  f.setBold(true);
  f.setItalic(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
}

void LevelLabel::mousePressEvent(QMouseEvent* event) {
  const int button = PuzzleButton(event->button());
  if (button >= 0) emit pressedWith(button);
}

}  // namespace zt
