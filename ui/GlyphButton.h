#pragma once

#include <QPushButton>

namespace zt {

// A push button with a small picture beside its caption. With a margin of -1
// the picture and the caption are centred together; with a margin of 0 or more
// the picture sits that many pixels from the left edge and the caption is
// centred in the room to its right.
class GlyphButton : public QPushButton {
  Q_OBJECT

 public:
  GlyphButton(const QIcon& glyph, int margin, QWidget* parent);

  int Margin() const { return margin_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int margin_;
};

}  // namespace zt
