#pragma once

#include <QImage>
#include <QRect>

#include "puzzles/core/SelectionFrame.h"

namespace zt {

// The way a marked piece, plate, tile, track or line moves.
enum class HintWay { Left, Right, Up, Down };

// The mark of a hint: a cyan band between two black lines just inside the
// rectangle of what moves next, and an arrow in its middle showing the way it
// goes, cyan with a black outline. Drawn over the picture on the screen (at the screen's own scale,
// so it stays sharp when enlarged); erasing it is drawing the picture again.
struct HintMark {
  // The ring is the selection frame's, in another colour.
  static constexpr int kBlack = SelectionFrame::kBlack;
  static constexpr int kInset = SelectionFrame::kInset;
  static constexpr int kWidth = SelectionFrame::kWidth;
  // Cyan: apart from the selection frame's yellow and from every picture's
  // main colour.
  static constexpr QRgb kBandColour = 0xff20f0ff;
  // The arrow's largest length and head width, in play-area pixels.
  static constexpr int kArrowLength = 40;
  static constexpr int kHeadWidth = 22;

  // Draws the mark inside r on target (parts outside target are cut off).
  static void Draw(QImage& target, const QRect& r, HintWay way);
};

}  // namespace zt
