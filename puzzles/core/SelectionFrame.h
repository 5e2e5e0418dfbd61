#pragma once

#include <QImage>
#include <QRect>

namespace zt {

// The frame that marks what the keyboard works on (a TILZ plate, a TRANSIT
// cell): a yellow band between two black lines, drawn just inside the
// rectangle, so that it shows on every colour of the pictures and leaves
// their middle free. Erasing it is drawing the picture under it again.
struct SelectionFrame {
  static constexpr int kBlack = 1;  // each black line
  static constexpr int kBand = 3;   // the yellow band between them
  static constexpr int kInset = 1;  // from the rectangle's edge
  static constexpr int kWidth = kInset + kBlack + kBand + kBlack;
  static constexpr QRgb kBandColour = 0xffffe000;

  // Draws the frame inside r on target (parts outside target are cut off),
  // its band in the given colour (the hint mark uses another).
  static void Draw(QImage& target, const QRect& r, QRgb band = kBandColour);
};

}  // namespace zt
