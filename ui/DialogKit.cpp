#include "ui/DialogKit.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "ui/ScreenFit.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {
const QColor kPlainSheet(236, 222, 190);
}

QImage LoadDialogBackground() {
  QImage image(QStringLiteral(":/dialogs/background.png"));
  if (image.isNull()) {
    image = QImage(kDialogBackgroundSize, QImage::Format_RGB32);
    image.fill(kPlainSheet);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage DialogBackgroundAt(const QImage& oneX, int scale) {
  if (scale <= 1 || oneX.isNull()) return oneX;
  const QSize size = oneX.size() * scale;
  if (oneX == LoadDialogBackground()) {
    QImage drawn(QStringLiteral(":/dialogs/background@%1x.png").arg(scale));
    if (drawn.size() == size) return drawn.convertToFormat(QImage::Format_RGB32);
  }
  return oneX.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QIcon ScaledIcon(const QString& base, QIcon::Mode mode, QIcon icon) {
  // Every scale is added by hand and by its pixel size: the automatic lookup
  // of "@2x" files only looks for the scale of the screen at hand, and a
  // zoomed dialog wants the larger pictures on any screen.
  for (const char* scale : {"", "@2x", "@3x"}) {
    QPixmap picture(base + scale + ".png");
    if (picture.isNull()) continue;
    picture.setDevicePixelRatio(1);
    icon.addPixmap(picture, mode);
    // Zoom 4 shows the 2x drawing with each pixel doubled.
    if (QByteArray(scale) == "@2x") {
      icon.addPixmap(
          picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation), mode);
    }
  }
  return icon;
}

QIcon DialogGlyph(const QString& name) {
  QIcon icon;
  for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
    const QString base = QStringLiteral(":/dialogs/glyph_%1%2")
                             .arg(name, mode == QIcon::Disabled ? "_disabled" : "");
    icon = ScaledIcon(base, mode, icon);
  }
  return icon;
}

QFont ArialFont(int pixels, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QFont DialogFont(int pixels) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  font.setBold(false);  // set, not inherited: the high-score dialog's own font is bold
  return font;
}

QPoint DialogPlace(const QRect& mainWindowFrame, const QSize& client) {
  // Plain int division cuts towards zero, as the placing needs.
  return QPoint(mainWindowFrame.left() + (mainWindowFrame.width() - client.width()) / 2,
                mainWindowFrame.top() + (mainWindowFrame.height() - client.height()) / 2);
}

void PlaceOnMainWindow(QWidget* dialog, const QWidget* mainWindow) {
  if (dialog == nullptr || mainWindow == nullptr) return;
  MoveOntoScreenOf(dialog, mainWindow, DialogPlace(mainWindow->frameGeometry(), dialog->size()));
}

QRect BackgroundSource(const QImage& background, const QSize& client) {
  return QRect(QPoint(0, background.height() - client.height()), client);
}

void PaintDialogBackground(QPainter& painter, const QImage& background, const QSize& client) {
  // A picture smaller than the dialog (never the built-in one) leaves the rest
  // as a plain sheet rather than undefined pixels.
  const QRect source = BackgroundSource(background, client);
  if (!background.rect().contains(source))
    painter.fillRect(QRect(QPoint(0, 0), client), kPlainSheet);
  const QRect visible = source.intersected(background.rect());
  painter.drawImage(visible.topLeft() - source.topLeft(), background, visible);
}

void DrawOutline(QPainter& painter, const QRect& r, int zoom) {
  if (zoom > 1) {
    const QRect z(r.topLeft() * zoom, r.size() * zoom);
    painter.fillRect(QRect(z.left(), z.top(), z.width(), zoom), Qt::black);
    painter.fillRect(QRect(z.left(), z.bottom() + 1 - zoom, z.width(), zoom), Qt::black);
    painter.fillRect(QRect(z.left(), z.top(), zoom, z.height()), Qt::black);
    painter.fillRect(QRect(z.right() + 1 - zoom, z.top(), zoom, z.height()), Qt::black);
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  painter.restore();
}

const QImage& DialogBackdrop::Picture(int scale) {
  if (scale <= 1) return oneX_;
  if (scaled_.isNull() || scale_ != scale) {
    scaled_ = DialogBackgroundAt(oneX_, scale);
    scale_ = scale;
  }
  return scaled_;
}

void DialogBackdrop::Paint(QPainter& painter, const QSize& client1x, int zoom,
                           double devicePixelRatio) {
  const int scale = ArtworkScale(zoom, devicePixelRatio);
  if (zoom <= 1 && scale == 1) {
    PaintDialogBackground(painter, oneX_, client1x);
    return;
  }
  // The part a 1x dialog shows, copied from the picture of the scale at hand
  // onto zoom times its place.
  const QRect source = BackgroundSource(oneX_, client1x);
  if (!oneX_.rect().contains(source))
    painter.fillRect(QRect(QPoint(0, 0), client1x * zoom), kPlainSheet);
  const QRect visible = source.intersected(oneX_.rect());
  if (visible.isEmpty()) return;
  const QImage& picture = Picture(scale);
  const QRect target((visible.topLeft() - source.topLeft()) * zoom, visible.size() * zoom);
  painter.drawImage(target, picture, QRect(visible.topLeft() * scale, visible.size() * scale));
}

}  // namespace zt
