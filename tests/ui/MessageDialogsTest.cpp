#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <set>

#include "core/Language.h"
#include "tests/common/TestMain.h"
#include "ui/DialogKit.h"
#include "ui/GlyphButton.h"
#include "ui/MessageDialogs.h"

using namespace zt;

namespace {

// A background whose every pixel tells where it came from.
QImage TellTaleBackground() {
  QImage image(320, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 320; ++x)
      image.setPixel(x, y, qRgb(x % 256, y, (x / 256) * 100 + 50));
  }
  return image;
}

enum Which { kPause, kDone, kNewGame, kEndGame };

MessageDialog* Dialog(const MessageDialogs& d, int which) {
  static_assert(int(MessageKind::Pause) == kPause && int(MessageKind::EndGame) == kEndGame);
  return d.Dialog(static_cast<MessageKind>(which));
}

// Shows the dialog through the host's interface; while it is open, `inside`
// runs with it. Returns the interface's answer (true for the two notices).
bool Run(MessageDialogs& dialogs, int which, const std::function<void(MessageDialog&)>& inside) {
  MessageDialog* dialog = Dialog(dialogs, which);
  QTimer::singleShot(0, [&] {
    QCOMPARE(QApplication::activeModalWidget(), dialog);
    inside(*dialog);
    if (dialog->isVisible()) {  // a check failed, or the key was ignored
      QTest::qWait(20);
      if (dialog->isVisible()) dialog->done(MessageDialog::kResultCancel);
    }
  });
  switch (which) {
    case kPause:
      dialogs.ShowPause();
      return true;
    case kDone:
      dialogs.ShowDone();
      return true;
    case kNewGame:
      return dialogs.AskNewGame();
    default:
      return dialogs.AskEndGame();
  }
}

}  // namespace

class MessageDialogsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> mainWindow_;
  QImage background_ = TellTaleBackground();

 private slots:
  void init() {
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->setGeometry(137, 91, 501, 367);
    mainWindow_->show();
  }
  void cleanup() {
    mainWindow_.reset();
    zt::Tongue = -1;
  }

  void textsOfEveryShowing_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");  // empty: no cancel button
    const QString none;
    for (int tongue : {-1, 0}) {
      const QByteArray t = QByteArray::number(tongue);
      QTest::newRow("pause " + t) << int(kPause) << tongue << "Game paused!"
                                  << "Continue" << none;
      QTest::newRow("done " + t) << int(kDone) << tongue << "Hurrah, you did it!"
                                 << "OK" << none;
      QTest::newRow("new game " + t)
          << int(kNewGame) << tongue << "Do you really want to giveup the puzzle?"
          << "Yes"
          << "No";
      QTest::newRow("end game " + t)
          << int(kEndGame) << tongue << "Do you really want to end the game?"
          << "Yes"
          << "No";
    }
    QTest::newRow("pause german") << int(kPause) << 1 << "Spiel angehalten!"
                                  << "Fortsetzen" << none;
    QTest::newRow("done german") << int(kDone) << 1 << "Hurra, geschafft!"
                                 << "OK" << none;
    QTest::newRow("new game german")
        << int(kNewGame) << 1 << QString::fromUtf8("Willst Du das Rätsel wirklich aufgeben?")
        << "Ja"
        << "Nein";
    QTest::newRow("end game german")
        << int(kEndGame) << 1 << "Willst Du das Spiel wirklich beenden?"
        << "Ja"
        << "Nein";
  }
  void textsOfEveryShowing() {
    QFETCH(int, which);
    QFETCH(int, tongue);
    QFETCH(QString, message);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    // Created in the other language: the texts follow the language of the
    // showing, as after a switch with the language button.
    zt::Tongue = tongue == 1 ? 0 : 1;
    MessageDialogs dialogs(mainWindow_.get(), background_);
    zt::Tongue = tongue;
    Run(dialogs, which, [&](MessageDialog& d) {
      QCOMPARE(d.Message()->text(), message);
      QCOMPARE(d.OkButton()->text(), ok);
      QCOMPARE(d.CancelButton() ? d.CancelButton()->text() : QString(), cancel);
      d.OkButton()->click();
    });
  }

  void enterAndEscape_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("answer");
    QTest::newRow("give up: Enter gives up")
        << int(kNewGame) << int(Qt::Key_Return) << true << true;
    QTest::newRow("give up: Escape keeps the game")
        << int(kNewGame) << int(Qt::Key_Escape) << true << false;
    QTest::newRow("quit: Enter quits") << int(kEndGame) << int(Qt::Key_Return) << true << true;
    QTest::newRow("quit: keypad Enter quits")
        << int(kEndGame) << int(Qt::Key_Enter) << true << true;
    QTest::newRow("quit: Escape stays") << int(kEndGame) << int(Qt::Key_Escape) << true << false;
    QTest::newRow("pause: Enter continues") << int(kPause) << int(Qt::Key_Return) << true << true;
    QTest::newRow("pause: Escape does nothing")
        << int(kPause) << int(Qt::Key_Escape) << false << true;
    QTest::newRow("done: Enter closes") << int(kDone) << int(Qt::Key_Return) << true << true;
    QTest::newRow("done: Escape does nothing")
        << int(kDone) << int(Qt::Key_Escape) << false << true;
  }
  void enterAndEscape() {
    QFETCH(int, which);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(bool, answer);
    MessageDialogs dialogs(mainWindow_.get(), background_);
    int result = -1;
    const bool got = Run(dialogs, which, [&](MessageDialog& d) {
      QCOMPARE(d.focusWidget(), static_cast<QWidget*>(d.OkButton()));  // initial focus
      QTest::keyClick(d.focusWidget(), Qt::Key(key));
      QTest::qWait(10);
      QCOMPARE(d.isVisible(), !closes);
      if (d.isVisible()) QTest::keyClick(d.focusWidget(), Qt::Key_Return);
      result = d.result();
    });
    QCOMPARE(got, answer);
    QCOMPARE(result, closes && !answer ? MessageDialog::kResultCancel : MessageDialog::kResultOk);
  }

  void cancelButtonAndCloseRequestKeepTheGame() {
    MessageDialogs dialogs(mainWindow_.get(), background_);
    QVERIFY(!Run(dialogs, kNewGame, [](MessageDialog& d) { d.CancelButton()->click(); }));
    QVERIFY(!Run(dialogs, kEndGame, [](MessageDialog& d) { d.CancelButton()->click(); }));
    QVERIFY(!Run(dialogs, kNewGame, [](MessageDialog& d) { d.close(); }));
    QVERIFY(!Run(dialogs, kEndGame, [](MessageDialog& d) { d.close(); }));
    QVERIFY(Run(dialogs, kNewGame, [](MessageDialog& d) { d.OkButton()->click(); }));
  }

  // Centred on the main window, halves cut towards zero, then moved wholly
  // onto the screen (the offscreen platform's 800 x 800; its windows have a
  // frame of 2 pixels).
  void placedOnTheMainWindow_data() {
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<QPoint>("placed");
    QTest::newRow("usual") << QRect(137, 91, 500, 366) << QPoint(262, 211);
    QTest::newRow("odd size") << QRect(10, 20, 501, 367) << QPoint(135, 141);
    QTest::newRow("off the top left") << QRect(-403, -300, 500, 366) << QPoint(0, 0);
    QTest::newRow("smaller than the dialog") << QRect(300, 300, 101, 51) << QPoint(226, 263);
    QTest::newRow("low on the screen") << QRect(500, 600, 500, 366) << QPoint(550, 675);
  }
  void placedOnTheMainWindow() {
    QFETCH(QRect, mainWindow);
    QFETCH(QPoint, placed);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    mainWindow_->setGeometry(mainWindow);
    MessageDialogs dialogs(mainWindow_.get(), background_);
    for (int which : {kPause, kDone, kNewGame, kEndGame}) {
      Run(dialogs, which, [&](MessageDialog& d) {
        QCOMPARE(d.pos(), placed);
        QCOMPARE(d.size(), QSize(250, 125));
        d.OkButton()->click();
      });
    }
  }

  void onlyTheQuitQuestionStaysOnTop() {
    MessageDialogs dialogs(mainWindow_.get(), background_);
    for (int which : {kPause, kDone, kNewGame, kEndGame}) {
      MessageDialog* d = Dialog(dialogs, which);
      QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
      QCOMPARE(bool(d->windowFlags() & Qt::WindowStaysOnTopHint), which == kEndGame);
    }
  }

  void paintsTheLowerLeftOfTheBackground() {
    MessageDialogs dialogs(mainWindow_.get(), background_);
    for (int which : {kPause, kDone, kNewGame, kEndGame}) {
      const QImage shot =
          Dialog(dialogs, which)->grab().toImage().convertToFormat(QImage::Format_RGB32);
      QCOMPARE(shot.size(), QSize(250, 125));
      // Between the message frame and the buttons, and inside the frame left
      // of the message, only the picture shows: its rows 75..199.
      for (const QRect& bare : {QRect(1, 54, 88, 33), QRect(9, 9, 20, 43), QRect(1, 117, 248, 7)}) {
        QCOMPARE(shot.copy(bare), background_.copy(bare.translated(0, 75)));
      }
      for (const QPoint& p : {QPoint(0, 0), QPoint(249, 0), QPoint(0, 124), QPoint(249, 124),
                              QPoint(8, 8), QPoint(240, 8), QPoint(8, 52), QPoint(240, 52)}) {
        QCOMPARE(QColor(shot.pixel(p)), QColor(Qt::black));
      }
      // Just outside the message frame: the picture again.
      for (const QPoint& p :
           {QPoint(7, 30), QPoint(241, 30), QPoint(30, 7), QPoint(30, 53), QPoint(241, 53)}) {
        QCOMPARE(shot.pixel(p), background_.pixel(p + QPoint(0, 75)));
      }
    }
  }

  void builtInPicturesLoad() {
    const QImage background = LoadDialogBackground();
    QCOMPARE(background.size(), QSize(320, 200));
    std::set<QRgb> colours;
    for (int y = 0; y < 200; y += 3) {
      for (int x = 0; x < 320; x += 3)
        colours.insert(background.pixel(x, y));
    }
    QVERIFY2(colours.size() > 200, "the plain stand-in sheet, not the drawn picture");
    // Light enough everywhere for black text.
    for (int y = 0; y < 200; ++y) {
      for (int x = 6; x < 314; ++x)
        QVERIFY(qGray(background.pixel(x, y)) > 150);
    }
    for (const char* name : {"continue", "ok", "yes", "no", "podium", "cross"}) {
      const QIcon icon = DialogGlyph(name);
      QVERIFY2(!icon.isNull(), name);
      QCOMPARE(icon.pixmap(QSize(18, 18), 1.0).size(), QSize(18, 18));
      QCOMPARE(icon.pixmap(QSize(18, 18), 2.0).size(), QSize(36, 36));  // sharp, not scaled
    }
    const QIcon cross = DialogGlyph("cross");
    QImage normal = cross.pixmap(QSize(18, 18), 1.0, QIcon::Normal).toImage();
    QImage disabled = cross.pixmap(QSize(18, 18), 1.0, QIcon::Disabled).toImage();
    const QImage drawn(":/dialogs/glyph_cross_disabled.png");
    QCOMPARE(disabled.convertToFormat(QImage::Format_ARGB32),
             drawn.convertToFormat(QImage::Format_ARGB32));
    QVERIFY(normal != disabled);
  }

  void mainWindowMayGoFirst() {
    auto mainWindow = std::make_unique<QWidget>();
    MessageDialogs dialogs(mainWindow.get(), background_);
    QPointer<MessageDialog> pause = dialogs.Dialog(MessageKind::Pause);
    QCOMPARE(pause->parentWidget(), mainWindow.get());
    mainWindow.reset();
    QVERIFY(pause.isNull());
    QVERIFY(dialogs.Dialog(MessageKind::Pause) == nullptr);
  }  // ~MessageDialogs must not delete the dialogs again
};

ZT_TEST_MAIN(MessageDialogsTest)
#include "MessageDialogsTest.moc"
