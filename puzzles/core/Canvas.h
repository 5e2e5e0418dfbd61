#pragma once

#include <QImage>
#include <QRect>
#include <functional>

namespace zt {

// The play area as the puzzles draw on it. Screen() is what the player sees:
// puzzles copy rectangles into it (from the atlas, the back buffer or images of
// their own) and fill black, then Present() the changed rectangle, which puts
// it on the display at once. All images are 32-bit RGB.
//
// Every coordinate is a play-area coordinate (500 x 333), whatever the scale.
// At scale s the screen, the back buffer and the atlas hold s x s pixels for
// each of them (their devicePixelRatio is s), and every copy and fill is
// multiplied out, so a frame at scale 2 shows the 2x atlas's detail.
class Canvas {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 333;
  static constexpr int kMaxScale = 3;
  using Presenter = std::function<void(const QRect&)>;

  Canvas();

  int Scale() const { return scale_; }
  // The whole factor an image stands for (its devicePixelRatio, at least 1).
  static int ScaleOf(const QImage& image);

  QImage& Screen() { return screen_; }
  const QImage& Screen() const { return screen_; }
  // Made, black like the screen, at its first use: only the puzzles that
  // compose frames off screen ever ask for it.
  QImage& BackBuffer() {
    if (back_.isNull()) back_ = MakeImage(kWidth, kHeight);
    return back_;
  }
  const QImage& Atlas() const { return atlas_; }
  // Takes the current puzzle's atlas drawn at scale 1..kMaxScale (converted
  // to 32-bit RGB once). A new scale makes the screen and the back buffer
  // afresh at that scale, black: the puzzle then paints everything again.
  void SetAtlas(QImage atlas, int scale = 1);
  // Remakes image as a black w x h image at the canvas scale unless it is
  // one already; for the images a puzzle composes in.
  void Fit(QImage& image, int w, int h) const;

  // Plain pixel copy of the w x h rectangle at (sx, sy) of src to (dx, dy) of
  // dst, both in the images' own scale-free coordinates. Parts outside either
  // image are cut off. src and dst may be the same. Images of two different
  // scales meet by nearest-neighbour resampling.
  static void Copy(const QImage& src, int sx, int sy, int w, int h, QImage& dst, int dx, int dy);
  static void Fill(QImage& dst, int x, int y, int w, int h, QRgb color);
  // A ring `width` wide just inside r.
  static void FillRing(QImage& dst, const QRect& r, int width, QRgb color);
  // A new w x h image in the canvas format at the given scale, filled black.
  static QImage MakeImage(int w, int h, int scale = 1);

  // Shorthands on the screen.
  void FromAtlas(int sx, int sy, int w, int h, int dx, int dy) {
    Copy(atlas_, sx, sy, w, h, screen_, dx, dy);
  }
  void FillBlack(int x, int y, int w, int h) { Fill(screen_, x, y, w, h, qRgb(0, 0, 0)); }

  // Shows the rectangle of the screen on the display now.
  void Present(const QRect& r);
  void Present(int x, int y, int w, int h) { Present(QRect(x, y, w, h)); }
  void PresentAll() { Present(QRect(0, 0, kWidth, kHeight)); }
  void SetPresenter(Presenter p) { presenter_ = std::move(p); }

 private:
  QImage screen_;
  QImage back_;
  QImage atlas_;
  Presenter presenter_;
  int scale_ = 1;
};

}  // namespace zt
