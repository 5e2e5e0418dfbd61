#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace zt {

// The atlas file of puzzle mode 0..3 and the least size its puzzle reads.
QString AtlasFileName(int mode);
QSize AtlasMinimumSize(int mode);

// Loads a Windows bitmap. Anything else (another format under a .bmp name, a
// truncated file, a picture smaller than minimum or larger than any atlas
// could sensibly be) gives a null image and the reason in why; the size is
// checked from the header before any pixels are allocated.
QImage LoadAtlas(const QString& path, QSize minimum, QString* why = nullptr);

// The larger atlas of a 1x file at scale 2 or 3: "b1.bmp" -> "b1@2x.png".
QString ScaledAtlasPath(const QString& oneXPath, int scale);
// Loads a larger atlas (PNG) with the checks of the 1x one, its least size
// multiplied by the scale and both sides whole multiples of it.
QImage LoadScaledAtlas(const QString& path, QSize minimum, int scale, QString* why = nullptr);
// The atlas to compose from at scale 1..3. At 1 it is the 1x file; larger,
// it is the larger file, or when that is missing or damaged the 1x picture
// enlarged by nearest neighbour, which is not an error. A null image (why
// says about the 1x file) only when no usable picture was found.
QImage LoadAtlasAt(const QString& oneXPath, QSize minimum, int scale, QString* why = nullptr);
// Every pixel of image as a scale x scale block. Larger atlases come with
// their scale as devicePixelRatio.
QImage EnlargeNearest(const QImage& image, int scale);

}  // namespace zt
