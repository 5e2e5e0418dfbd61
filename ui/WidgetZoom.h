#pragma once

class QWidget;

// How widgets follow the main window's zoom: the window is shown enlarged by a
// whole factor, and its toolbar and dialogs grow with it.
namespace zt {

// The window can be shown enlarged by a whole factor, 1 up to kMaxZoom.
inline constexpr int kMaxZoom = 4;

// The scale pictures are drawn at for a zoom on a screen of the given device
// pixel ratio: the nearest whole factor, 1 to 3. Above 3 the 3x picture is
// enlarged pixel by pixel when it is shown.
int ArtworkScale(int zoom, double devicePixelRatio);

// The zoom a main window is shown at (1 for none, or one that never set it);
// its dialogs read it each time they are shown.
int WindowZoom(const QWidget* mainWindow);
void SetWindowZoom(QWidget* mainWindow, int zoom);

// Sets root's own size and every widget inside it to zoom times the geometry,
// font size and icon size it had at 1x (noted on the first call).
void ZoomWidgetTree(QWidget* root, int zoom);

}  // namespace zt
