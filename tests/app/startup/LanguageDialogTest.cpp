// The language question: its layout, the ways out of it and what each does to
// Tongue, and where it places itself over the main window.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/startup/LanguageDialog.h"
#include "core/Language.h"
#include "tests/common/Shots.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

constexpr int kHung = 99;

QIcon TestIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(QColor(10, 200, 30));
  return QIcon(pixmap);
}

// Runs the dialog modally and does `act` once it is up; a dialog that does
// not close ends with kHung instead of hanging the test.
int RunModal(LanguageDialog& dlg, const std::function<void()>& act) {
  QTimer::singleShot(0, &dlg, act);
  QTimer::singleShot(3000, &dlg, [&] { dlg.done(kHung); });
  return dlg.exec();
}

void Key(LanguageDialog& dlg, Qt::Key key) {
  QWidget* target = dlg.focusWidget() ? dlg.focusWidget() : &dlg;
  QTest::keyClick(target, key);
}

}  // namespace

class LanguageDialogTest : public QObject {
  Q_OBJECT

  QWidget main_;

 private slots:
  void initTestCase() {
    main_.setFixedSize(500, 366);
    main_.move(120, 90);
    main_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main_));
  }

  // An English system unless a case says otherwise.
  void init() {
    Tongue = -1;
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "en_US.UTF-8");
  }

  void layoutAndLook() {
    LanguageDialog dlg(&main_, TestIcon());
    QCOMPARE(dlg.windowTitle(), QString("Zindle Tavrin V1.2"));
    QCOMPARE(dlg.size(), QSize(320, 91));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QVERIFY(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(dlg.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dlg.Panel->geometry(), QRect(8, 8, 305, 77));
    QCOMPARE(dlg.IconLabel->geometry(), QRect(28, 28, 37, 37));
    QCOMPARE(dlg.EnglishBtn->geometry(), QRect(84, 16, 221, 27));
    QCOMPARE(dlg.GermanBtn->geometry(), QRect(84, 48, 221, 27));
    QCOMPARE(dlg.EnglishBtn->text(), QString("I speak english."));
    QCOMPARE(dlg.GermanBtn->text(), QString("Ich spreche deutsch."));
    QCOMPARE(dlg.font().pixelSize(), 11);
    // The program's icon is the one handed in.
    const QImage shown = dlg.IconLabel->pixmap().toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(10, 200, 30));
    // The flag pictures come from the built-in resources and differ.
    for (QPushButton* b : {dlg.EnglishBtn, dlg.GermanBtn}) {
      QVERIFY2(!b->icon().pixmap(24, 16).isNull(), qPrintable(b->text()));
      QVERIFY(b->autoDefault());
    }
    QVERIFY(dlg.EnglishBtn->icon().pixmap(24, 16).toImage() !=
            dlg.GermanBtn->icon().pixmap(24, 16).toImage());

    // For looking at: the program's own icon when the build has drawn it.
    const QString icon = QDir(test::GameDir()).filePath("../generated/ui/icon_32.png");
    LanguageDialog look(&main_, QFile::exists(icon) ? QIcon(icon) : TestIcon());
    look.show();
    QVERIFY(QTest::qWaitForWindowExposed(&look));
    test::SaveShot(look, "tongue_dialog");
  }

  // How the question is left and what Tongue becomes.
  void waysOut_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("after");
    QTest::newRow("Enter on the first focus") << -1 << "enter" << int(QDialog::Accepted) << 0;
    QTest::newRow("Tab, then Enter") << -1 << "tab enter" << int(QDialog::Accepted) << 1;
    QTest::newRow("Tab twice comes back to English")
        << 1 << "tab tab enter" << int(QDialog::Accepted) << 0;
    QTest::newRow("German button") << -1 << "click german" << int(QDialog::Accepted) << 1;
    QTest::newRow("English button") << 1 << "click english" << int(QDialog::Accepted) << 0;
    QTest::newRow("Escape keeps unchosen") << -1 << "escape" << int(QDialog::Rejected) << -1;
    QTest::newRow("Escape keeps German") << 1 << "escape" << int(QDialog::Rejected) << 1;
    QTest::newRow("close box keeps unchosen") << -1 << "close" << int(QDialog::Rejected) << -1;
    QTest::newRow("close box keeps English") << 0 << "close" << int(QDialog::Rejected) << 0;
  }
  void waysOut() {
    QFETCH(int, before);
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(int, after);
    Tongue = before;
    LanguageDialog dlg(&main_, TestIcon());
    QWidget* focusAtStart = nullptr;
    const int got = RunModal(dlg, [&] {
      focusAtStart = dlg.focusWidget();
      for (const QString& step : how.split(' ')) {
        if (step == "enter") Key(dlg, Qt::Key_Return);
        if (step == "tab") Key(dlg, Qt::Key_Tab);
        if (step == "escape") Key(dlg, Qt::Key_Escape);
        if (step == "close") dlg.close();
        if (step == "german") QTest::mouseClick(dlg.GermanBtn, Qt::LeftButton);
        if (step == "english") QTest::mouseClick(dlg.EnglishBtn, Qt::LeftButton);
      }
    });
    QCOMPARE(focusAtStart, static_cast<QWidget*>(dlg.EnglishBtn));
    QCOMPARE(got, result);
    QCOMPARE(Tongue, after);
  }

  // The dialog is reused: after German was chosen by keyboard, the next
  // showing starts on English again.
  void focusStartsOnEnglishEachTime() {
    LanguageDialog dlg(&main_, TestIcon());
    QCOMPARE(RunModal(dlg,
                      [&] {
                        Key(dlg, Qt::Key_Tab);
                        Key(dlg, Qt::Key_Return);
                      }),
             int(QDialog::Accepted));
    QCOMPARE(Tongue, 1);
    QWidget* focus = nullptr;
    RunModal(dlg, [&] {
      focus = dlg.focusWidget();
      dlg.close();
    });
    QCOMPARE(focus, static_cast<QWidget*>(dlg.EnglishBtn));
    QCOMPARE(Tongue, 1);
  }

  // Enter answers in the system's language; the other answer is a Tab away.
  void defaultAnswerFollowsTheLocale_data() {
    QTest::addColumn<QString>("lcAll");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("after");
    QTest::newRow("German system, Enter") << ""
                                          << "de_DE.UTF-8"
                                          << "enter" << 1;
    QTest::newRow("German system, Tab, Enter") << ""
                                               << "de_DE.UTF-8"
                                               << "tab enter" << 0;
    QTest::newRow("English system, Enter") << ""
                                           << "en_GB.UTF-8"
                                           << "enter" << 0;
    QTest::newRow("C locale, Enter") << ""
                                     << "C"
                                     << "enter" << 0;
    QTest::newRow("LC_ALL German over LANG") << "de_AT.UTF-8"
                                             << "en_GB.UTF-8"
                                             << "enter" << 1;
    QTest::newRow("LC_ALL C over German LANG") << "C"
                                               << "de_DE.UTF-8"
                                               << "enter" << 0;
  }
  void defaultAnswerFollowsTheLocale() {
    QFETCH(QString, lcAll);
    QFETCH(QString, lang);
    QFETCH(QString, keys);
    QFETCH(int, after);
    if (!lcAll.isEmpty()) qputenv("LC_ALL", lcAll.toUtf8());
    qputenv("LANG", lang.toUtf8());
    LanguageDialog dlg(&main_, TestIcon());
    QPushButton* focusAtStart = nullptr;
    bool defaultAtStart = false;
    const int got = RunModal(dlg, [&] {
      focusAtStart = qobject_cast<QPushButton*>(dlg.focusWidget());
      defaultAtStart = focusAtStart != nullptr && focusAtStart->isDefault();
      for (const QString& step : keys.split(' '))
        Key(dlg, step == "tab" ? Qt::Key_Tab : Qt::Key_Return);
    });
    QCOMPARE(got, int(QDialog::Accepted));
    QCOMPARE(Tongue, after);
    QVERIFY(focusAtStart != nullptr);
    QCOMPARE(focusAtStart, dlg.DefaultAnswer());
    QVERIFY(defaultAtStart);
  }

  void placementFormula_data() {
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<QSize>("dialogFrame");
    QTest::addColumn<QPoint>("expected");
    // 100 + (510 - 330) / 2; 200 + 400 - (366 + 120) / 2
    QTest::newRow("framed main window")
        << QRect(100, 200, 510, 400) << 366 << QSize(330, 120) << QPoint(190, 357);
    // (501 - 320) / 2 = 90; 366 - (366 + 91) / 2 = 366 - 228
    QTest::newRow("odd differences truncate")
        << QRect(0, 0, 501, 366) << 366 << QSize(320, 91) << QPoint(90, 138);
    // (301 - 320) / 2 = -9 (not -10); -50 + 100 - (80 + 91) / 2 = 50 - 85
    QTest::newRow("narrow main window, partly off the screen")
        << QRect(-300, -50, 301, 100) << 80 << QSize(320, 91) << QPoint(-309, -35);
  }
  void placementFormula() {
    QFETCH(QRect, mainFrame);
    QFETCH(int, clientHeight);
    QFETCH(QSize, dialogFrame);
    QFETCH(QPoint, expected);
    QCOMPARE(LanguageDialog::PlaceFor(mainFrame, clientHeight, dialogFrame), expected);
  }

  // Shown, the dialog sits where the formula puts it for the real windows, and
  // it goes back there each time it is activated.
  void placedOnEveryActivation() {
    LanguageDialog dlg(&main_, TestIcon());
    dlg.show();
    dlg.activateWindow();
    // A transient window counts as active with its parent, so wait for the
    // dialog itself.
    QTRY_VERIFY(dlg.isActiveWindow());
    const QRect mf = main_.frameGeometry();
    const QSize df = dlg.frameGeometry().size();
    const QPoint expected(mf.left() + (mf.width() - df.width()) / 2,
                          mf.top() + mf.height() - (main_.height() + df.height()) / 2);
    QCOMPARE(dlg.frameGeometry().topLeft(), expected);

    dlg.move(dlg.pos() + QPoint(70, -40));
    main_.activateWindow();
    QTRY_VERIFY(main_.isActiveWindow());
    QVERIFY(dlg.frameGeometry().topLeft() != expected);
    dlg.activateWindow();
    QTRY_VERIFY(dlg.isActiveWindow());
    QCOMPARE(dlg.frameGeometry().topLeft(), expected);
  }

  // Where the formula puts it past the screen's bottom right corner, it is
  // moved in until it lies wholly on the screen.
  void placedWhollyOnTheScreen() {
    const QPoint home = main_.pos();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    main_.move(screen.right() - 400, screen.bottom() - 150);
    LanguageDialog dlg(&main_, TestIcon());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QSize df = dlg.frameGeometry().size();
    QCOMPARE(dlg.frameGeometry().topLeft(),
             QPoint(screen.right() + 1 - df.width(), screen.bottom() + 1 - df.height()));
    dlg.close();
    main_.move(home);
  }
};

ZT_TEST_MAIN(LanguageDialogTest)
#include "LanguageDialogTest.moc"
