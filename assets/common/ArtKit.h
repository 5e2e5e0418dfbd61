#pragma once

#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

// Small helpers for the programs that draw the game's artwork at build time.
namespace zt::art {

// Runs a generator: sets up Qt (fonts need a GUI application), makes sure the
// output folder given as the only argument exists and calls body with it.
// Returns the process exit code; body reports failure by returning false.
int RunGenerator(int argc, char** argv, const std::function<bool(const QDir&)>& body);

// Writes a picture as a 24-bit Windows bitmap. Prints the reason and returns
// false on failure.
bool SaveBmp(const QImage& image, const QString& path);
bool SavePng(const QImage& image, const QString& path);
bool SaveBytes(const QByteArray& bytes, const QString& path);

// A blank true-colour picture.
QImage NewImage(int width, int height, QColor fill = Qt::black);

// Linear blend of two colours, t in 0..1.
QColor Mix(const QColor& a, const QColor& b, double t);

// A raised (or sunken) bevel of the given depth around r: light on the top and
// left, dark on the bottom and right.
void DrawBevel(QPainter& p, const QRect& r, const QColor& base, int depth, bool raised = true);

// Fills r with a vertical gradient.
void FillVertical(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom);

// The game's table top: dark walnut with soft streaks and grain, over the
// 500 x 333 play area (the background that the puzzles' boards stand on).
void DrawWalnutTable(QImage& image);

// Adds a fine, repeatable grain to a region (seeded), for stone and wood looks.
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
