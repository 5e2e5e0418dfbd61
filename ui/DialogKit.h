#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <utility>

class QPainter;
class QWidget;

// What the game's dialogs share: their background picture, button pictures and
// fonts, where they go on the screen and how they paint their background.
namespace zt {

// The dialogs' background, 320 x 200 true colour, built into the program. The
// main window holds it (the second of its pictures) and hands it to every
// dialog. Should the built-in picture ever fail to load, a plain sheet of the
// same size and colour stands in for it.
QImage LoadDialogBackground();
inline constexpr QSize kDialogBackgroundSize(320, 200);

// The dialog background at scale 2 or 3 for the one a dialog was handed: the
// sharper drawing built into the program when oneX is the built-in picture,
// else (and should that drawing be missing or damaged) oneX enlarged pixel by
// pixel. Scale 1 gives oneX itself.
QImage DialogBackgroundAt(const QImage& oneX, int scale);

// An icon of a built-in picture with each of its sharper drawings ("@2x",
// "@3x" beside it) added by its pixel size, and the 2x drawing with its pixels
// doubled for zoom 4; base is the path without ".png".
QIcon ScaledIcon(const QString& base, QIcon::Mode mode = QIcon::Normal, QIcon icon = QIcon());

// A button picture by name: "continue", "ok", "yes", "no", "podium", "cross"
// (with its grey outline for the disabled look). 18 x 18, with sharper versions
// for high-density screens.
QIcon DialogGlyph(const QString& name);
inline constexpr QSize kGlyphSize(18, 18);

// Arial as the dialogs use it, by the pixel height of its characters (Liberation
// Sans, which has Arial's metrics, where Arial itself is missing).
QFont ArialFont(int pixels, bool bold = false);
// The dialogs' default font: "MS Sans Serif" where it is installed (Windows),
// else its free look-alikes.
QFont DialogFont(int pixels);

// Where a dialog of the given client size goes: centred on the main window's
// outer rectangle, each half cut towards zero.
QPoint DialogPlace(const QRect& mainWindowFrame, const QSize& client);
// Moves dialog there, and then wholly onto the screen that holds the main
// window; no main window leaves it where it is.
void PlaceOnMainWindow(QWidget* dialog, const QWidget* mainWindow);

// Paints the part of the background a dialog of this client size shows: the
// whole width it needs from the left, the rows from the bottom upwards.
void PaintDialogBackground(QPainter& painter, const QImage& background, const QSize& client);
// The source rectangle of that part.
QRect BackgroundSource(const QImage& background, const QSize& client);
// A one-pixel black outline covering exactly the pixels of r's border; at a
// zoom, r is taken at 1x and the outline is zoom pixels wide.
void DrawOutline(QPainter& painter, const QRect& r, int zoom = 1);

// A dialog's background as PaintDialogBackground paints it at 1x, painted for
// the dialog shown zoom times as large, from the picture of the scale the zoom
// and the screen need (made when first needed and kept).
class DialogBackdrop {
 public:
  explicit DialogBackdrop(QImage oneX) : oneX_(std::move(oneX)) {}

  void Paint(QPainter& painter, const QSize& client1x, int zoom, double devicePixelRatio);
  // The picture a scale paints from.
  const QImage& Picture(int scale);

 private:
  QImage oneX_;
  QImage scaled_;
  int scale_ = 1;
};

}  // namespace zt
