#include "ui/DialogKit.h"

#include <QFile>
#include <QPainter>
#include <QWidget>

#include "ui/ScreenFit.h"

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

QIcon DialogGlyph(const QString& name) {
  // Every scale is added by hand: the automatic lookup of "@2x" files only
  // looks for the scale of the screen at hand.
  QIcon icon;
  for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
    const QString base = QStringLiteral(":/dialogs/glyph_%1%2")
                             .arg(name, mode == QIcon::Disabled ? "_disabled" : "");
    for (const char* scale : {"", "@2x", "@3x"}) {
      const QString file = base + scale + ".png";
      if (QFile::exists(file)) icon.addFile(file, QSize(), mode);
    }
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

void DrawOutline(QPainter& painter, const QRect& r) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace zt
