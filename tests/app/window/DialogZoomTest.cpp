// The dialogs at the main window's zoom: at 1x each looks exactly as the
// pictures kept beside this test (taken before the dialogs learnt the zoom),
// also after a trip to another zoom; zoomed, each is zoom times its 1x size,
// every part in zoom times its place with zoom times its letters, its
// background from the picture drawn for that scale and its outlines zoom
// pixels wide; and it still lies wholly on the main window's screen. The help
// document's style sheet grows with the zoom.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

#include "app/help/AboutDialog.h"
#include "app/help/HelpViewer.h"
#include "app/startup/LanguageDialog.h"
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "highscore/HighscoreDialog.h"
#include "tests/common/TestMain.h"
#include "ui/DialogKit.h"
#include "ui/MessageDialogs.h"
#include "ui/WidgetZoom.h"

using namespace zt;

namespace {

QImage Picture(QWidget& w) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures first differ, or an empty text when they are the same.
QString FirstDifference(const QImage& got, const QImage& want) {
  if (got.size() != want.size()) {
    return QString("size %1 x %2, expected %3 x %4")
        .arg(got.width())
        .arg(got.height())
        .arg(want.width())
        .arg(want.height());
  }
  for (int y = 0; y < got.height(); ++y) {
    for (int x = 0; x < got.width(); ++x) {
      if (got.pixel(x, y) != want.pixel(x, y)) {
        return QString("first difference at (%1, %2): %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(got.pixel(x, y), 8, 16)
            .arg(want.pixel(x, y), 8, 16);
      }
    }
  }
  return {};
}

// What a dialog is made of at one zoom: its size and, by place in the tree,
// every part's geometry and the pixel size of the letters it sets itself.
struct Parts {
  QSize size;
  std::map<QString, QRect> geometry;
  std::map<QString, int> letters;
  // A button's picture size, and the size of the picture its icon gives for it.
  std::map<QString, std::pair<QSize, QSize>> pictures;
};

Parts PartsOf(QWidget& dialog) {
  Parts parts{dialog.size(), {}, {}, {}};
  int index = 0;
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (child->isWindow()) continue;
    const QString key = QString::number(index++) + ":" + child->objectName();
    parts.geometry[key] = child->geometry();
    if (child->testAttribute(Qt::WA_SetFont)) parts.letters[key] = child->font().pixelSize();
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && !button->icon().isNull()) {
      parts.pictures[key] = {button->iconSize(), button->icon().actualSize(button->iconSize())};
    }
  }
  return parts;
}

}  // namespace

class DialogZoomTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<SettingsStore> store_;
  TextScrambler scrambler_;
  std::unique_ptr<QWidget> main_;
  std::unique_ptr<MessageDialogs> messages_;
  std::unique_ptr<HighscoreDialog> scores_;
  std::unique_ptr<LanguageDialog> language_;
  std::unique_ptr<AboutDialog> about_;

  // Shows the named dialog at the main window's zoom and runs inside with it
  // while it is up.
  void WithDialog(const QString& name, const std::function<void(QWidget&)>& inside) {
    const auto messageKind = [&]() -> int {
      const QStringList kinds = {"pause", "done", "new-game", "end-game"};
      return int(kinds.indexOf(name));
    }();
    if (messageKind >= 0) {
      MessageDialog* dialog = messages_->Dialog(static_cast<MessageKind>(messageKind));
      dialog->show();
      inside(*dialog);
      dialog->hide();
    } else if (name == "scores" || name == "scores-new-entry") {
      QTimer::singleShot(0, [&] {
        inside(*scores_);
        scores_->reject();
      });
      scores_->ShowHighscores("boss_4x4", name == "scores" ? 0 : 480);
    } else if (name == "language") {
      language_->show();
      inside(*language_);
      language_->hide();
    } else {
      about_ = std::make_unique<AboutDialog>(main_.get());
      about_->show();
      inside(*about_);
      about_->hide();
    }
  }

  QImage ShotAt(const QString& name, int zoom, Parts* parts = nullptr) {
    SetWindowZoom(main_.get(), zoom);
    QImage shot;
    WithDialog(name, [&](QWidget& dialog) {
      shot = Picture(dialog);
      if (parts) *parts = PartsOf(dialog);
    });
    return shot;
  }

  static void AddDialogRows() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"pause", "done", "new-game", "end-game", "scores", "scores-new-entry",
                             "language", "about"}) {
      QTest::newRow(name) << QString(name);
    }
  }

 private slots:
  void initTestCase() {
    Tongue = 0;
    scrambler_.Init(QString(), 0);
    store_ = std::make_unique<SettingsStore>(dir_.filePath("settings.ini"));
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(100, 80, 500, 366);
    main_->setWindowIcon(QIcon(":/ui/icon_256.png"));
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    messages_ = std::make_unique<MessageDialogs>(main_.get(), LoadDialogBackground());
    scores_ =
        std::make_unique<HighscoreDialog>(main_.get(), *store_, scrambler_, LoadDialogBackground());
    language_ = std::make_unique<LanguageDialog>(main_.get(), main_->windowIcon());
  }

  void cleanupTestCase() {
    about_.reset();
    language_.reset();
    scores_.reset();
    messages_.reset();
    main_.reset();
  }

  void atOneTheDialogsAreAsBefore_data() { AddDialogRows(); }
  void atOneTheDialogsAreAsBefore() {
    QFETCH(QString, name);
    const QString written = qEnvironmentVariable("ZT_DIALOG_SHOTS_WRITE");
    const QImage first = ShotAt(name, 1);
    if (!written.isEmpty()) {
      QVERIFY(QDir().mkpath(written));
      QVERIFY(first.save(QDir(written).filePath(name + ".png")));
    }
    const QImage before(QStringLiteral(ZT_DIALOG_SHOTS_DIR "/%1.png").arg(name));
    QVERIFY2(!before.isNull(), qPrintable("no picture of the 1x dialog " + name));
    const QImage want = before.convertToFormat(QImage::Format_RGB32);
    QString difference = FirstDifference(first, want);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // Grown and back again: the same pixels as a showing just before (the
    // focus may have moved since the first).
    const QImage again = ShotAt(name, 1);
    ShotAt(name, 3);
    difference = FirstDifference(ShotAt(name, 1), again);
    QVERIFY2(difference.isEmpty(), qPrintable("after zoom 3: " + difference));
  }

  void zoomedDialogsGrowEveryPart_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("zoom");
    for (const char* name :
         {"pause", "new-game", "end-game", "scores", "scores-new-entry", "language"}) {
      for (const int zoom : {2, 3, 4}) {
        QTest::addRow("%s at %d", name, zoom) << QString(name) << zoom;
      }
    }
  }
  void zoomedDialogsGrowEveryPart() {
    QFETCH(QString, name);
    QFETCH(int, zoom);
    Parts one;
    Parts zoomed;
    ShotAt(name, 1, &one);
    ShotAt(name, zoom, &zoomed);
    QCOMPARE(zoomed.size, one.size * zoom);
    QCOMPARE(zoomed.geometry.size(), one.geometry.size());
    for (const auto& [key, place] : one.geometry) {
      const QRect got = zoomed.geometry.at(key);
      if (key.endsWith(":ClearLabel")) {
        // Sized to its text at the zoomed letters: only its place is fixed.
        QCOMPARE(got.topLeft(), place.topLeft() * zoom);
        QVERIFY2(got.height() >= place.height() * zoom - zoom, qPrintable(key));
      } else if (key.endsWith(":NameEdit")) {
        // Its height follows the letters, within the same bounds per zoom.
        QCOMPARE(got.topLeft(), place.topLeft() * zoom);
        QCOMPARE(got.width(), place.width() * zoom);
        QVERIFY2(got.height() >= 15 * zoom && got.height() <= 21 * zoom, qPrintable(key));
      } else {
        QCOMPARE(got, QRect(place.topLeft() * zoom, place.size() * zoom));
      }
    }
    for (const auto& [key, pixels] : one.letters) {
      QCOMPARE(zoomed.letters.at(key), pixels * zoom);
    }
    // Each picture zoom times as large, drawn at that size (not a 1x drawing
    // left small).
    QVERIFY(!one.pictures.empty());
    for (const auto& [key, sizes] : one.pictures) {
      const auto& [shown, drawn] = zoomed.pictures.at(key);
      QCOMPARE(shown, sizes.first * zoom);
      QCOMPARE(drawn, shown);
    }
  }

  void zoomedBackgroundAndOutlines_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("inner");   // an outline inside, besides the whole panel's
    QTest::addColumn<QPoint>("plain");  // a 1x pixel that shows only the background
    for (const int zoom : {2, 3, 4}) {
      QTest::addRow("pause at %d", zoom)
          << "pause" << zoom << QSize(250, 125) << QRect(8, 8, 233, 45) << QPoint(20, 100);
      QTest::addRow("scores at %d", zoom)
          << "scores" << zoom << QSize(320, 200) << QRect(168, 136, 145, 21) << QPoint(40, 170);
    }
  }
  void zoomedBackgroundAndOutlines() {
    QFETCH(QString, name);
    QFETCH(int, zoom);
    QFETCH(QSize, client);
    QFETCH(QRect, inner);
    QFETCH(QPoint, plain);
    const QImage shot = ShotAt(name, zoom);
    QCOMPARE(shot.size(), client * zoom);
    // The background from the picture of the scale, each of its pixels
    // zoom / scale wide (the 3x picture at zoom 4 enlarged pixel by pixel).
    const int scale = ArtworkScale(zoom, 1.0);
    const QImage oneX = LoadDialogBackground();
    const QImage picture = DialogBackgroundAt(oneX, scale);
    QCOMPARE(picture.size(), oneX.size() * scale);
    if (scale > 1) {
      QVERIFY2(picture != oneX.scaled(picture.size()), "the sharper picture is not an enlargement");
    }
    // Each shown pixel takes the picture's pixel under its middle.
    const int top = (oneX.height() - client.height()) * scale;
    const auto under = [&](int shown) { return int(std::floor((shown + 0.5) * scale / zoom)); };
    for (int dy = 0; dy < zoom; ++dy) {
      for (int dx = 0; dx < zoom; ++dx) {
        const QPoint at = plain * zoom + QPoint(dx, dy);
        const QPoint from(under(at.x()), top + under(at.y()));
        QCOMPARE(QColor(shot.pixel(at)), QColor(picture.pixel(from)));
      }
    }
    // Outlines zoom pixels wide: black across the band, the background next
    // to it.
    const QRect outlines[] = {QRect(QPoint(0, 0), client), inner};
    for (const QRect& r : outlines) {
      const int y = (r.top() + r.height() / 2) * zoom;
      for (int d = 0; d < zoom; ++d) {
        QCOMPARE(QColor(shot.pixel(r.left() * zoom + d, y)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel((r.right() + 1) * zoom - 1 - d, y)), QColor(Qt::black));
      }
      QVERIFY(QColor(shot.pixel(r.left() * zoom + zoom, y)) != QColor(Qt::black));
    }
  }

  void theAboutBoxGrowsWithItsLetters_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
  }
  void theAboutBoxGrowsWithItsLetters() {
    // Laid out by its letters, so only near zoom times its 1x size.
    QFETCH(int, zoom);
    Parts one;
    Parts zoomed;
    ShotAt("about", 1, &one);
    ShotAt("about", zoom, &zoomed);
    for (const auto& [key, pixels] : one.letters) {
      QCOMPARE(zoomed.letters.at(key), pixels * zoom);
    }
    const QSize want = one.size * zoom;
    QVERIFY2(qAbs(zoomed.size.width() - want.width()) <= want.width() / 10 &&
                 qAbs(zoomed.size.height() - want.height()) <= want.height() / 10,
             qPrintable(QString("%1 x %2 at zoom %3, 1x %4 x %5")
                            .arg(zoomed.size.width())
                            .arg(zoomed.size.height())
                            .arg(zoom)
                            .arg(one.size.width())
                            .arg(one.size.height())));
  }

  void zoomedDialogsStayOnTheScreen() {
    // The main window at the screen's lower-right corner, at the largest
    // zoom its screen allows: every dialog still lies wholly on the screen.
    const QRect screen = main_->screen()->availableGeometry();
    const int zoom = std::clamp(std::min(screen.width() / 500, screen.height() / 366), 1, 4);
    const QRect home = main_->geometry();
    main_->setGeometry(
        QRect(screen.bottomRight() - QPoint(500 * zoom, 366 * zoom), QSize(500, 366) * zoom));
    SetWindowZoom(main_.get(), zoom);
    for (const char* name : {"pause", "end-game", "scores", "language", "about"}) {
      WithDialog(name, [&](QWidget& dialog) {
        QVERIFY2(screen.contains(dialog.frameGeometry()),
                 qPrintable(QString("%1 at zoom %2").arg(name).arg(zoom)));
      });
    }
    main_->setGeometry(home);
  }

  void theHelpStyleGrows_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("expected");
    const QString sheet = "<style>h1 { font-size: 20px; margin-top: 18px; }</style>";
    QTest::newRow("1x unchanged") << sheet << 1 << sheet;
    QTest::newRow("every size in the sheet")
        << sheet << 3 << "<style>h1 { font-size: 60px; margin-top: 54px; }</style>";
    QTest::newRow("sizes in the text stay")
        << "<style>p { margin: 4px }</style><p>a 500px wide box</p>" << 2
        << "<style>p { margin: 8px }</style><p>a 500px wide box</p>";
    QTest::newRow("two sheets, attributes on the tag, upper case")
        << "<STYLE type=\"text/css\">.a { padding: 1.5px }</STYLE>x<style>b{top:3px}</style>" << 2
        << "<STYLE type=\"text/css\">.a { padding: 3px }</STYLE>x<style>b{top:6px}</style>";
    QTest::newRow("other units and words stay")
        << "<style>p { width: 3em; top: 2pt; x: 4pxa }</style>" << 4
        << "<style>p { width: 3em; top: 2pt; x: 4pxa }</style>";
    QTest::newRow("an unclosed sheet is left alone")
        << "<style>p { top: 3px }" << 2 << "<style>p { top: 3px }";
  }
  void theHelpStyleGrows() {
    QFETCH(QString, html);
    QFETCH(int, zoom);
    QFETCH(QString, expected);
    QCOMPARE(ZoomStylePixels(html, zoom), expected);
  }
};

int main(int argc, char** argv) {
  // A screen with room for the enlarged windows.
  if (!zt::test::UseOffscreenScreen(zt::test::IsolateEnvironment(), 2560, 1600)) return 2;
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  DialogZoomTest tc;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&tc, argc, argv);
}
#include "DialogZoomTest.moc"
