#pragma once

#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

// Small helpers for the programs that draw the game's artwork at build time.
//
// Every picture is drawn at a whole scale s: on an image s times the layout's
// size whose device pixel ratio is s. A painter on such an image works in the
// layout's pixels and draws s times the detail (curves, text, gradients);
// per-pixel work (grain, textures, bevels) asks the image or painter for its
// scale and walks the device pixels. At scale 1 this is plain drawing.
namespace zt::art {

// The scales every picture is drawn at.
inline constexpr std::array<int, 3> kScales{1, 2, 3};

// Runs a generator: sets up Qt (fonts need a GUI application), makes sure the
// output folder given as the only argument exists and calls body with it.
// Returns the process exit code; body reports failure by returning false.
int RunGenerator(int argc, char** argv, const std::function<bool(const QDir&)>& body);

// Writes a picture as a 24-bit Windows bitmap. Prints the reason and returns
// false on failure.
bool SaveBmp(const QImage& image, const QString& path);
bool SavePng(const QImage& image, const QString& path);
bool SaveBytes(const QByteArray& bytes, const QString& path);

// A picture drawn at its image's scale, named after it: at scale 1 stem + ext1x
// (the name the game has always read), otherwise stem@<s>x.png beside it.
QString ScaledFileName(const QString& stem, int scale, const QString& ext1x = ".png");
// Writes a picture under its scaled name: at scale 1 as ext1x says (".bmp" or
// ".png"), at 2x and 3x as PNG.
bool SaveScaled(const QImage& image, const QDir& out, const QString& stem,
                const QString& ext1x = ".png");

// A blank true-colour picture of width x height layout pixels at a scale.
QImage NewImage(int width, int height, QColor fill = Qt::black, int scale = 1);

// The scale a picture is drawn at, and that of the picture a painter draws on.
int ScaleOf(const QImage& image);
int ScaleOf(const QPainter& p);

// A rectangle of layout pixels in the device pixels of a scale.
QRect ToDevice(const QRect& r, int scale);
// The whole of a picture in layout pixels.
QRect LayoutRect(const QImage& image);

// Fills device pixels of the painter's picture, whatever its transform.
void FillDevice(QPainter& p, const QRect& device, const QColor& colour);
// A line one layout pixel thick through the layout pixels from a to b, both
// included; a and b share a row or a column.
void PixelLine(QPainter& p, QPoint a, QPoint b, const QColor& colour);
// The outline that a one-pixel pen draws round r: columns r.left() and
// r.left() + r.width(), rows r.top() and r.top() + r.height().
void PixelFrame(QPainter& p, const QRect& r, const QColor& colour);

// Linear blend of two colours, t in 0..1.
QColor Mix(const QColor& a, const QColor& b, double t);

// A raised (or sunken) bevel of the given depth around r: light on the top and
// left, dark on the bottom and right. At scale s it is depth x s device pixels
// deep, its shades running through every device ring.
void DrawBevel(QPainter& p, const QRect& r, const QColor& base, int depth, bool raised = true);

// Fills r with a vertical gradient.
void FillVertical(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom);

// The game's table top: dark walnut with soft streaks and grain, over the
// 500 x 333 play area (the background that the puzzles' boards stand on).
void DrawWalnutTable(QImage& image);

// Adds a fine, repeatable grain to a region (seeded), for stone and wood looks:
// one grain per device pixel, so finer at larger scales.
void AddGrain(QImage& image, const QRect& r, int strength, unsigned seed);

// A font by pixel height. Families come from Debian's DejaVu and Liberation fonts.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// A picture laid out on a grid of the given size, drawn at a whole scale
// factor on a transparent ground (antialiased).
QImage RenderAtScale(QSize grid, int scale, const std::function<void(QPainter&)>& paint);
// Writes base.png, base@2x.png and base@3x.png, for ordinary and high-density
// screens. Returns false (after saying why) when a file cannot be written.
bool SaveAtScales(const QDir& out, const QString& base, QSize grid,
                  const std::function<void(QPainter&)>& paint);

// Text centred in r with a one-pixel shadow.
void DrawShadowText(QPainter& p, const QRect& r, const QString& text, const QColor& colour,
                    const QColor& shadow, int flags = Qt::AlignCenter);

}  // namespace zt::art
