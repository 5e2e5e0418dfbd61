#include "app/help/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "core/BoundedFile.h"
#include "core/Language.h"
#include "core/ScreenPlacement.h"
#include "ui/ScreenFit.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {

constexpr int kGap = 8;
const QSize kWindowSize(520, 600);

HelpDocument Failure(const QString& path, const QString& german, const QString& english) {
  const QString shown = path.toHtmlEscaped();
  const QString folder = QFileInfo(path).absolutePath().toHtmlEscaped();
  const QString what = Say(german, english).arg(shown);
  const QString where =
      Say(QString("Die Hilfe gehört als Datei „ZTAV.HLP“ in den Ordner des Spiels: %1"),
          QString("The help belongs in the game's folder as the file \"ZTAV.HLP\": %1"))
          .arg(folder);
  HelpDocument doc;
  doc.html =
      QString(
          "<html><body><h2>%1</h2><p><b>%2</b></p><p>%3</p>"
          "</body></html>")
          .arg(Say(QString("Zindle Tavrin - Hilfe"), QString("Zindle Tavrin - Help")), what, where);
  return doc;
}

// Only "#anchor" stays within the document; everything else would leave it.
bool IsInDocument(const QUrl& url) {
  return url.scheme().isEmpty() && url.host().isEmpty() && url.path().isEmpty() &&
         url.hasFragment();
}

}  // namespace

bool HelpLaysOutQuickly(const QString& html) {
  // Elements whose end tags may be left out are not counted as nesting.
  static const QStringList nesting = {"div",    "ul", "ol", "table", "blockquote", "dl", "pre",
                                      "center", "h1", "h2", "h3",    "h4",         "h5", "h6"};
  static const QStringList breaking = {"p", "li", "br", "td", "th", "tr", "dd", "dt", "hr"};
  int depth = 0;
  int tables = 0;
  qsizetype paragraph = 0;
  const qsizetype n = html.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (html[i] != '<') {
      if (++paragraph > kHelpMaxParagraph) return false;
      continue;
    }
    const qsizetype end = html.indexOf('>', i);
    if (end < 0) break;
    qsizetype at = i + 1;
    const bool closing = at < end && html[at] == '/';
    if (closing) ++at;
    qsizetype nameEnd = at;
    while (nameEnd < end && html[nameEnd].isLetterOrNumber())
      ++nameEnd;
    const QString name = html.mid(at, nameEnd - at).toLower();
    const bool selfClosing = html[end - 1] == '/';
    if (nesting.contains(name)) {
      paragraph = 0;
      if (!selfClosing) {
        const int step = closing ? -1 : 1;
        depth = std::max(0, depth + step);
        if (name == "table") tables = std::max(0, tables + step);
        if (depth > kHelpMaxNesting || tables > kHelpMaxTableNesting) return false;
      }
    } else if (breaking.contains(name)) {
      paragraph = 0;
    }
    i = end;
  }
  return true;
}

QString ZoomStylePixels(const QString& html, int zoom) {
  if (zoom <= 1) return html;
  static const QRegularExpression styleBlock(
      QStringLiteral("(<style[^>]*>)(.*?)(</style>)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression pixels(QStringLiteral("(\\d+(?:\\.\\d+)?)px\\b"));
  QString zoomed;
  qsizetype done = 0;
  for (auto blocks = styleBlock.globalMatch(html); blocks.hasNext();) {
    const QRegularExpressionMatch block = blocks.next();
    QString sheet = block.captured(2);
    QString grown;
    qsizetype at = 0;
    for (auto sizes = pixels.globalMatch(sheet); sizes.hasNext();) {
      const QRegularExpressionMatch size = sizes.next();
      grown += QStringView(sheet).mid(at, size.capturedStart() - at);
      grown += QString::number(size.captured(1).toDouble() * zoom) + QStringLiteral("px");
      at = size.capturedEnd();
    }
    grown += QStringView(sheet).mid(at);
    zoomed += QStringView(html).mid(done, block.capturedStart(2) - done);
    zoomed += grown;
    done = block.capturedEnd(2);
  }
  zoomed += QStringView(html).mid(done);
  return zoomed;
}

HelpDocument ReadHelpDocument(const QString& path, qint64 sizeLimit) {
  const QFileInfo info(path);
  if (!info.exists()) {
    return Failure(path, "Die Hilfedatei „%1“ wurde nicht gefunden.",
                   "The help file \"%1\" was not found.");
  }
  const QString unreadableDe = "Die Hilfedatei „%1“ kann nicht gelesen werden.";
  const QString unreadableEn = "The help file \"%1\" cannot be read.";
  // Not a plain file (a folder, a pipe, a device): opening it could block or
  // never end.
  if (!info.isFile()) return Failure(path, unreadableDe, unreadableEn);
  const QString tooLargeDe = "Die Hilfedatei „%1“ ist zu groß.";
  const QString tooLargeEn = "The help file \"%1\" is too large.";
  if (info.size() > sizeLimit) return Failure(path, tooLargeDe, tooLargeEn);

  // The file may have changed since it was looked at.
  const BoundedFile file = ReadBoundedFile(path, sizeLimit);
  if (file.refusal == FileRefusal::kTooLarge) return Failure(path, tooLargeDe, tooLargeEn);
  if (!file.Ok()) return Failure(path, unreadableDe, unreadableEn);
  const QString html = QString::fromUtf8(file.bytes);
  if (!HelpLaysOutQuickly(html)) {
    return Failure(path, "Die Hilfedatei „%1“ wurde nicht gefunden.",
                   "The help file \"%1\" was not found.");
  }
  HelpDocument doc;
  doc.ok = true;
  doc.html = html;
  return doc;
}

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (IsInDocument(url)) scrollToAnchor(url.fragment());
  });
}

QVariant HelpBrowser::loadResource(int, const QUrl&) {
  // Not a null value: on a null answer the document would read local files by
  // itself. Empty bytes make no picture and no style sheet.
  return QByteArray();
}

HelpViewer::~HelpViewer() {
  Quit();
}

QString HelpViewer::Topic() {
  return Say(QString("Das_Spiel"), QString("The_Game"));
}

QRect HelpViewer::PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& available) {
  const int width = std::min(size.width(), available.width());
  const int height = std::min(size.height(), available.height());
  const int rightRoom = available.right() - mainFrame.right() - kGap;
  const int leftRoom = mainFrame.left() - available.left() - kGap;
  int left;
  if (rightRoom >= width) {
    left = mainFrame.right() + 1 + kGap;
  } else if (leftRoom >= width) {
    left = mainFrame.left() - kGap - width;
  } else if (rightRoom >= leftRoom) {
    left = available.right() + 1 - width;  // over the game's right part
  } else {
    left = available.left();
  }
  const int top = std::clamp(mainFrame.top(), available.top(), available.bottom() + 1 - height);
  return {left, top, width, height};
}

void HelpViewer::Open(const QString& helpFile, const QString& topic, QWidget* mainWindow) {
  if (!window_) {
    window_ = new QWidget(nullptr, Qt::Window);
    // The help must never keep the game running after its main window closed.
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new HelpBrowser(window_);
    layout->addWidget(browser_);
    // Beside the game, wholly on its screen: placed once more when the window
    // manager has told the size of the frame.
    placer_ = new FramePlacer(window_, [this](const QMargins& frame) {
      const QSize outer = (kWindowSize * zoom_).grownBy(frame);
      const Desktop desktop = CurrentDesktop();
      if (!mainWindow_ || desktop.screens.empty()) {
        return QRect(window_->frameGeometry().topLeft(), outer);
      }
      const QRect mainFrame = mainWindow_->frameGeometry();
      const int screen = ScreenHolding(desktop, mainFrame.topLeft(), mainFrame.size());
      return PlaceBeside(mainFrame, outer, desktop.screens[screen].available);
    });
  }
  mainWindow_ = mainWindow;
  // The letters at the game's zoom; a window that is not open yet gets the
  // zoomed size too.
  zoom_ = WindowZoom(mainWindow);
  QFont f;
  f.setFamilies({"DejaVu Sans", "Liberation Sans"});
  f.setPixelSize(13 * zoom_);
  window_->setFont(f);
  if (!window_->isVisible()) window_->resize(kWindowSize * zoom_);
  window_->setWindowTitle(Say(QString("Zindle Tavrin - Hilfe"), QString("Zindle Tavrin - Help")));
  if (mainWindow) window_->setWindowIcon(mainWindow->windowIcon());

  const HelpDocument doc = ReadHelpDocument(helpFile);
  browser_->setHtml(ZoomStylePixels(doc.html, zoom_));

  if (!window_->isVisible()) {
    placer_->Apply();
    window_->show();
  }
  if (window_->isMinimized()) window_->showNormal();
  window_->raise();
  window_->activateWindow();
  if (doc.ok) browser_->scrollToAnchor(topic);
}

void HelpViewer::Quit() {
  delete window_.data();
}

}  // namespace zt
