#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace zt {

class Canvas;
class PuzzleHost;

// The play area below the toolbar: shows the canvas's screen. A present
// repaints just its rectangle from the screen; any other paint request has
// the current puzzle draw everything afresh. Presses go to the current
// puzzle; resting the mouse on the rules-hint place shows the rules.
class PlayArea final : public QWidget {
  Q_OBJECT
 public:
  // top: the toolbar's height, where the play area starts in the window.
  PlayArea(QWidget* parent, int top, PuzzleHost& host, const Canvas& canvas);

  void Present(const QRect& r);
  bool Painting() const { return painting_; }

  // Shows every play-area pixel as zoom x zoom pixels of the widget, which
  // moves to top * zoom; presses are mapped back to play-area coordinates.
  void SetZoom(int zoom);
  int Zoom() const { return zoom_; }
  // The play-area point under a point of the widget at the current zoom.
  QPoint ToPlayArea(QPointF widgetPoint) const;

  // Where the rules hint shows, in the window's 1x coordinates, and its text.
  void SetRulesPlace(const QRect& place) { rulesPlace_ = place; }
  void SetRulesHint(const QString& text) { rulesHint_ = text; }
  QRect RulesHintPlace() const { return rulesPlace_; }
  const QString& RulesHint() const { return rulesHint_; }

 signals:
  void painted();
  void pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  PuzzleHost& host_;
  const Canvas& canvas_;
  QRect rulesPlace_;
  QString rulesHint_;
  int top_ = 0;
  int zoom_ = 1;
  bool presenting_ = false;
  bool painting_ = false;
};

}  // namespace zt
