#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace zt::test {

// An atlas in which every pixel has its own colour, made from its coordinates
// (never black), so a picture test can tell exactly which atlas pixel landed
// where.
QImage MakeSyntheticAtlas(int width, int height);

// The atlas pixel that a synthetic colour came from, or (-1, -1) for a colour
// that no synthetic atlas holds (black, for instance).
QPoint SyntheticOrigin(QRgb colour);

// First pixel where two images differ, as text for a failure message; empty if
// they are equal (size and every pixel). Only rect is compared when given.
QString FirstDifference(const QImage& actual, const QImage& expected, QRect rect = {});

}  // namespace zt::test
