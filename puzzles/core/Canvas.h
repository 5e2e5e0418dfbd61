#pragma once

#include <QImage>
#include <QRect>
#include <functional>

namespace zt {

// The play area as the puzzles draw on it. Screen() is what the player sees:
// puzzles copy rectangles into it (from the atlas, the back buffer or images of
// their own) and fill black, then Present() the changed rectangle, which puts
// it on the display at once. All images are 32-bit RGB.
class Canvas {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 333;
  using Presenter = std::function<void(const QRect&)>;

  Canvas();

  QImage& Screen() { return screen_; }
  const QImage& Screen() const { return screen_; }
  // Made, black like the screen, at its first use: only the puzzles that
  // compose frames off screen ever ask for it.
  QImage& BackBuffer() {
    if (back_.isNull()) back_ = MakeImage(kWidth, kHeight);
    return back_;
  }
  const QImage& Atlas() const { return atlas_; }
  // Takes the current puzzle's atlas (converted to 32-bit RGB once).
  void SetAtlas(QImage atlas);

  // Plain pixel copy of the w x h rectangle at (sx, sy) of src to (dx, dy) of
  // dst. Parts outside either image are cut off. src and dst may be the same.
  static void Copy(const QImage& src, int sx, int sy, int w, int h, QImage& dst, int dx, int dy);
  static void Fill(QImage& dst, int x, int y, int w, int h, QRgb color);
  // A new w x h image in the canvas format, filled black.
  static QImage MakeImage(int w, int h);

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
};

}  // namespace zt
