#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextBrowser>
#include <QVariant>

namespace zt {

class FramePlacer;

// The help document is read whole; anything larger is not a help file.
inline constexpr qint64 kHelpSizeLimit = 1 << 20;

struct HelpDocument {
  bool ok = false;
  QString html;  // the document, or a page that says what went wrong
};

// Bounds of a document the viewer lays out at once: nested tables cost time
// growing fast with each level, deep nesting and long paragraphs grow
// steadily. A document at these bounds lays out in well under a second.
inline constexpr int kHelpMaxNesting = 64;       // blocks within blocks
inline constexpr int kHelpMaxTableNesting = 8;   // tables within tables
inline constexpr int kHelpMaxParagraph = 65536;  // characters without a block break

// Whether the viewer lays html out at once, by the bounds above.
bool HelpLaysOutQuickly(const QString& html);

// Reads the help file as UTF-8 HTML. A missing, unreadable or oversized file
// (and anything but a plain file) gives a page with a message in the current
// language instead, as does one beyond the layout bounds: then the help is as
// good as missing.
HelpDocument ReadHelpDocument(const QString& path, qint64 sizeLimit = kHelpSizeLimit);

// The document with every pixel size of its style sheets ("13px") times
// zoom, so that it reads the same in a zoomed window; the text itself and
// sizes outside <style> are left as they are.
QString ZoomStylePixels(const QString& html, int zoom);

// A text browser that never loads anything: no pictures, style sheets or
// pages, neither from files nor from the network. Links are only reported.
class HelpBrowser final : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;
};

// The game's own help window: it stands beside the game, does not block it and
// is reused between openings. Only links to anchors within the document work.
class HelpViewer final {
 public:
  HelpViewer() = default;
  ~HelpViewer();
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Shows helpFile at the anchor topic, its letters at mainWindow's zoom. A
  // window that is already open keeps its place and size and is raised; a new
  // (or closed) one goes beside mainWindow, zoom times its 1x size as far as
  // the screen allows.
  void Open(const QString& helpFile, const QString& topic, QWidget* mainWindow);
  // Closes the window, if there is one.
  void Quit();

  // "Das_Spiel" when the game speaks German, else "The_Game".
  static QString Topic();

  // Where a window of the given outer size goes: right of the main window's
  // frame, else left of it, within the screen's available area.
  static QRect PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& available);

  // For tests: the window (null when none) and its browser.
  QWidget* Window() const { return window_; }
  HelpBrowser* Browser() const { return browser_; }

 private:
  QPointer<QWidget> window_;
  QPointer<HelpBrowser> browser_;
  QPointer<QWidget> mainWindow_;
  FramePlacer* placer_ = nullptr;  // owned by the window
  int zoom_ = 1;
};

}  // namespace zt
