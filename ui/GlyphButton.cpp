#include "ui/GlyphButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "ui/DialogKit.h"

namespace zt {

GlyphButton::GlyphButton(const QIcon& glyph, int margin, QWidget* parent)
    : QPushButton(parent), margin_(margin) {
  setIcon(glyph);
  setIconSize(kGlyphSize);
}

void GlyphButton::paintEvent(QPaintEvent* event) {
  if (margin_ < 0) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton bevel = option;
  bevel.text.clear();
  bevel.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButton, bevel);

  QPoint shift;
  if (isDown() || isChecked()) {
    shift = QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  const QSize glyphSize = iconSize();
  // The margin grows with the picture when the dialog is zoomed.
  const int margin = margin_ * std::max(glyphSize.width() / kGlyphSize.width(), 1);
  const QRect glyph =
      QRect(QPoint(margin, (height() - glyphSize.height()) / 2), glyphSize).translated(shift);
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  painter.drawItemPixmap(glyph, Qt::AlignCenter,
                         icon().pixmap(glyphSize, devicePixelRatio(), mode));
  const QRect caption =
      QRect(glyph.right() + 1, 0, width() - glyph.right() - 1, height()).translated(0, shift.y());
  painter.drawItemText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                       text(), QPalette::ButtonText);
}

}  // namespace zt
