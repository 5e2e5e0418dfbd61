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

}  // namespace zt
