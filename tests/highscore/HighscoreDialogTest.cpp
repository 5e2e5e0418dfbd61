#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "core/Language.h"
#include "core/SettingsStore.h"
#include "highscore/HighscoreDialog.h"
#include "tests/common/Shots.h"
#include "tests/common/TestMain.h"
#include "ui/GlyphButton.h"

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

QString LabelText(QWidget* dialog, const QString& name) {
  auto* label = dialog->findChild<QLabel*>(name);
  return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

// How many pixel rows of a picture hold dark ink (the black letters on the
// name box's pink).
int InkRows(const QImage& picture) {
  int first = -1;
  int last = -1;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qGray(picture.pixel(x, y)) < 60) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

}  // namespace

class HighscoreDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<SettingsStore> store_;
  TextScrambler scrambler_;
  std::unique_ptr<QWidget> mainWindow_;
  QImage background_ = TellTaleBackground();

  std::unique_ptr<HighscoreDialog> MakeDialog() {
    return std::make_unique<HighscoreDialog>(mainWindow_.get(), *store_, scrambler_, background_);
  }
  void Seed(const QString& key, const QList<int>& times) {
    for (int i = 0; i < times.size(); ++i) {
      store_->WriteString("highscore", key + QString::number(i),
                          scrambler_.Encode(QString("%1,p%1").arg(times[i])));
    }
  }
  QByteArray StoreBytes() const {
    QFile f(dir_->filePath("settings.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Calls ShowHighscores; while the dialog is open, `inside` runs with it and
  // must close it. Returns whether the dialog was shown at all.
  bool Show(HighscoreDialog& dialog, const QString& key, int time,
            const std::function<void(HighscoreDialog&)>& inside) {
    bool fired = false;
    bool shown = false;
    QTimer::singleShot(0, [&] {
      fired = true;
      if (QApplication::activeModalWidget() == &dialog) {
        shown = true;
        inside(dialog);
        // A failed check returns early; close so that the test goes on.
        if (dialog.isVisible()) dialog.reject();
      }
    });
    dialog.ShowHighscores(key, time);
    // Not shown: the timer is still pending and must not reach a later test.
    if (!fired && !QTest::qWaitFor([&] { return fired; }, 2000)) qWarning("timer never fired");
    return shown;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<SettingsStore>(dir_->filePath("settings.ini"));
    scrambler_.Init(QString(), 0);
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->setGeometry(137, 91, 501, 367);
    mainWindow_->show();
    zt::Tongue = 0;
  }
  void cleanup() {
    mainWindow_.reset();
    zt::Tongue = -1;
  }

  void newEntryIsNamedInItsRow() {
    Seed("crux02", {10, 20, 30});
    store_->WriteString("highscore", "player", QString::fromUtf8("Käthe"));
    auto dialog = MakeDialog();
    const QString typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";  // 30 characters
    const bool shown = Show(*dialog, "crux02", 25, [&](HighscoreDialog& d) {
      QLineEdit* edit = d.NameEdit();
      QVERIFY(!edit->isHidden());
      QVERIFY(edit->isEnabled());
      // Over the name of its row, its width, and no lower than that row.
      QCOMPARE(edit->pos(), QPoint(60, 20 + 21 * 2));
      QCOMPARE(edit->width(), 140);
      QVERIFY(edit->height() >= 15 && edit->height() <= 21);
      QCOMPARE(edit->text(), QString::fromUtf8("Käthe"));
      QCOMPARE(d.focusWidget(), edit);
      QCOMPARE(LabelText(&d, "place0"), QStringLiteral("1.   "));
      QCOMPARE(LabelText(&d, "name0"), QStringLiteral("p10"));
      QCOMPARE(LabelText(&d, "time1"), QStringLiteral("20"));
      QCOMPARE(LabelText(&d, "name2"), QString::fromUtf8("Käthe"));
      QCOMPARE(LabelText(&d, "time2"), QStringLiteral("25"));
      QCOMPARE(LabelText(&d, "time3"), QStringLiteral("30"));
      QCOMPARE(LabelText(&d, "time4"), QStringLiteral("-----"));
      QTest::keyClicks(edit, typed);  // replaces the selected name
      QCOMPARE(edit->text(), typed.left(25));
      QTest::keyClick(edit, Qt::Key_Return);  // OK is the default button
    });
    QVERIFY(shown);
    QVERIFY(dialog->NameEdit()->isHidden());
    QCOMPARE(store_->ReadString("highscore", "player", ""), typed.left(25));
    QCOMPARE(scrambler_.Decode(store_->ReadString("highscore", "crux022", "")),
             "25," + typed.left(25));
    QCOMPARE(scrambler_.Decode(store_->ReadString("highscore", "crux023", "")),
             QStringLiteral("30,p30"));
  }

  // Letters with descenders and a comma show whole in the name box: as many
  // rows of ink as the same text in a box with room to spare.
  void nameBoxShowsWholeLetters_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("descenders") << "gjpqy";
    QTest::newRow("comma and capitals") << QString::fromUtf8("Jörg, Ägyptologe");
  }
  void nameBoxShowsWholeLetters() {
    QFETCH(QString, name);
    store_->WriteString("highscore", "player", name);
    auto dialog = MakeDialog();
    int shown = -1;
    int whole = -2;
    QVERIFY(Show(*dialog, "boss15", 40, [&](HighscoreDialog& d) {
      QLineEdit* edit = d.NameEdit();
      edit->deselect();
      edit->clearFocus();  // no cursor, no selection: only the letters
      shown = InkRows(edit->grab().toImage());
      QLineEdit roomy;
      roomy.setFrame(false);
      roomy.setFont(edit->font());
      roomy.setPalette(edit->palette());
      roomy.setText(edit->text());
      roomy.setFixedSize(edit->width(), 60);
      whole = InkRows(roomy.grab().toImage());
      test::SaveShot(d, "highscore_name_box");
    }));
    QVERIFY(whole > 0);
    QCOMPARE(shown, whole);
  }

  // A name too long for its column ends in an ellipsis and shows whole in a
  // tooltip; a name that fits has none.
  void longNamesShowWholeInATooltip() {
    const QString longName = "Maximiliane Wolkenstein-Oberhausen";
    store_->WriteString("highscore", "tran070", scrambler_.Encode("12," + longName));
    store_->WriteString("highscore", "tran071", scrambler_.Encode("15,Ida"));
    auto dialog = MakeDialog();
    QVERIFY(Show(*dialog, "tran07", 0, [&](HighscoreDialog& d) {
      auto* first = d.findChild<QLabel*>("name0");
      QCOMPARE(first->text(), longName);
      QCOMPARE(first->toolTip(), longName);
      QCOMPARE(d.findChild<QLabel*>("name1")->toolTip(), QString());
      QCOMPARE(d.findChild<QLabel*>("name2")->toolTip(), QString());  // "Mr. Brain"
    }));
    // The next list, with short names only, leaves no old tooltip behind.
    QVERIFY(Show(*dialog, "tran08", 0, [&](HighscoreDialog& d) {
      QCOMPARE(d.findChild<QLabel*>("name0")->toolTip(), QString());
    }));
  }

  void cancelWritesNothingAndTheToolbarViewHasNoEditBox() {
    Seed("tilz04", {10, 20, 30});
    store_->WriteString("highscore", "player", "Ada");
    auto dialog = MakeDialog();
    const QByteArray before = StoreBytes();
    QVERIFY(Show(*dialog, "tilz04", 5, [](HighscoreDialog& d) {
      QTest::keyClicks(d.NameEdit(), "Someone else");
      QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
    }));
    QCOMPARE(StoreBytes(), before);
    QVERIFY(dialog->NameEdit()->isHidden());
    QCOMPARE(dialog->Session().PlayerName(), QStringLiteral("Ada"));
    QVERIFY(Show(*dialog, "tilz04", 0, [](HighscoreDialog& d) {
      QVERIFY(d.NameEdit()->isHidden());
      QCOMPARE(LabelText(&d, "time0"), QStringLiteral("10"));
      QCOMPARE(LabelText(&d, "name0"), QStringLiteral("p10"));
      QTest::keyClick(&d, Qt::Key_Escape);
    }));
    QCOMPARE(StoreBytes(), before);
  }

  void timeOutsideTheFiveBestShowsNothing() {
    Seed("boss15", {10, 20, 30, 40, 50});
    auto dialog = MakeDialog();
    const QByteArray before = StoreBytes();
    QVERIFY(!Show(*dialog, "boss15", 50, [](HighscoreDialog& d) { d.reject(); }));
    QCOMPARE(StoreBytes(), before);
  }

  void aBestTimeThatCannotBeSavedIsReportedAtOnce_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("words");
    QTest::newRow("German") << 1 << "Die Bestzeit konnte nicht gespeichert werden: ";
    QTest::newRow("English") << 0 << "The best time could not be saved: ";
  }
  void aBestTimeThatCannotBeSavedIsReportedAtOnce() {
    QFETCH(int, tongue);
    QFETCH(QString, words);
    zt::Tongue = tongue;
    Seed("crux02", {10, 20});
    auto dialog = MakeDialog();
    QStringList reports;
    dialog->SetFailureReport([&](const QString& text) { reports << text; });
    const QByteArray before = StoreBytes();
    // The lock cannot be had: a folder stands in its place.
    QVERIFY(QDir().mkdir(dir_->filePath("settings.ini.lock")));
    QVERIFY(Show(*dialog, "crux02", 5, [](HighscoreDialog& d) {
      QTest::keyClicks(d.NameEdit(), "Zed");
      QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    }));
    QCOMPARE(reports, QStringList{words + dir_->filePath("settings.ini")});
    QCOMPARE(StoreBytes(), before);
    // Once the lock can be had again, the next OK saves and says nothing; the
    // name typed is offered again.
    QVERIFY(QDir().rmdir(dir_->filePath("settings.ini.lock")));
    QVERIFY(Show(*dialog, "crux02", 6,
                 [](HighscoreDialog& d) { QTest::mouseClick(d.OkButton(), Qt::LeftButton); }));
    QCOMPARE(reports.size(), 1);
    QCOMPARE(scrambler_.Decode(store_->ReadString("highscore", "crux020", "")),
             QStringLiteral("6,Zed"));
    QCOMPARE(scrambler_.Decode(store_->ReadString("highscore", "crux021", "")),
             QStringLiteral("10,p10"));
  }

  void clearBoxEmptiesTheList() {
    Seed("tran07", {10, 20, 30, 40, 50});
    store_->WriteString("highscore", "player", "Ada");
    auto dialog = MakeDialog();
    QVERIFY(Show(*dialog, "tran07", 15, [](HighscoreDialog& d) {
      QVERIFY(!d.ClearBox()->isChecked());
      QTest::mouseClick(d.ClearBox(), Qt::LeftButton, {}, QPoint(6, 6));
      QVERIFY(d.ClearBox()->isChecked());
      QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    }));
    QCOMPARE(store_->ReadString("highscore", "player", ""), QStringLiteral("Mr. Brain"));
    QVERIFY(Show(*dialog, "tran07", 0, [](HighscoreDialog& d) {
      QVERIFY(!d.ClearBox()->isChecked());  // cleared for every showing
      for (int i = 0; i < 5; ++i) {
        QCOMPARE(LabelText(&d, "time" + QString::number(i)), QStringLiteral("-----"));
        QCOMPARE(LabelText(&d, "name" + QString::number(i)), QStringLiteral("Mr. Brain"));
      }
      d.reject();
    }));
    QVERIFY(Show(*dialog, "tran07", 99, [](HighscoreDialog& d) {
      QCOMPARE(d.NameEdit()->text(), QStringLiteral("Mr. Brain"));
      d.reject();
    }));
  }

  void controlsLookAsTheyShould() {
    auto dialog = MakeDialog();
    QLineEdit* edit = dialog->NameEdit();
    QVERIFY(!edit->hasFrame());
    QCOMPARE(edit->maxLength(), 25);
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 128, 128));
    QCOMPARE(edit->focusPolicy() & Qt::TabFocus, 0);
    QCOMPARE(dialog->size(), QSize(320, 200));
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    // The list in the dialog's bold 15-pixel font, the small print regular.
    for (QWidget* w : {static_cast<QWidget*>(edit), dialog->findChild<QWidget*>("name0"),
                       dialog->findChild<QWidget*>("time4")}) {
      QCOMPARE(w->font().pixelSize(), 15);
      QVERIFY(w->font().bold());
    }
    for (QWidget* w :
         {static_cast<QWidget*>(dialog->OkButton()), static_cast<QWidget*>(dialog->CancelButton()),
          dialog->findChild<QWidget*>("ClearLabel")}) {
      QCOMPARE(w->font().pixelSize(), 11);
      QVERIFY2(!w->font().bold(), qPrintable(w->objectName()));
    }
  }

  void placedAndWorded_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<QPoint>("placed");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("clear");
    QTest::addColumn<QString>("cancel");
    const QString english = "Zindle Tavrin - Highscore";
    // Centred on the main window, halves cut towards zero, then moved wholly
    // onto the screen (the offscreen platform's 800 x 800; its windows have a frame
    // of 2 pixels).
    QTest::newRow("not chosen") << -1 << QRect(137, 91, 501, 367) << QPoint(227, 174) << english
                                << "remove all entries"
                                << "Cancel";
    QTest::newRow("english") << 0 << QRect(0, 0, 500, 366) << QPoint(90, 83) << english
                             << "remove all entries"
                             << "Cancel";
    QTest::newRow("german, partly off the screen")
        << 1 << QRect(-403, -77, 500, 366) << QPoint(0, 6) << "Zindle Tavrin - Bestenliste"
        << QString::fromUtf8("alle Einträge löschen") << "Abbruch";
    QTest::newRow("main window smaller than the dialog")
        << 0 << QRect(400, 300, 101, 51) << QPoint(291, 226) << english << "remove all entries"
        << "Cancel";
    QTest::newRow("main window low on the screen")
        << 0 << QRect(650, 700, 500, 366) << QPoint(480, 600) << english << "remove all entries"
        << "Cancel";
  }
  void placedAndWorded() {
    QFETCH(int, tongue);
    QFETCH(QRect, mainWindow);
    QFETCH(QPoint, placed);
    QFETCH(QString, caption);
    QFETCH(QString, clear);
    QFETCH(QString, cancel);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    mainWindow_->setGeometry(mainWindow);
    auto dialog = MakeDialog();
    zt::Tongue = tongue;
    QVERIFY(Show(*dialog, "crux01", 0, [&](HighscoreDialog& d) {
      QCOMPARE(d.pos(), placed);
      QCOMPARE(d.windowTitle(), caption);
      QCOMPARE(LabelText(&d, "ClearLabel"), clear);
      QCOMPARE(d.CancelButton()->text(), cancel);
      QCOMPARE(d.OkButton()->text(), QStringLiteral("OK"));
      d.reject();
    }));
  }

  void paintsTheWholeBackgroundAndTheOutlines() {
    auto dialog = MakeDialog();
    QVERIFY(Show(*dialog, "crux01", 0, [&](HighscoreDialog& d) {
      const QImage shot = d.grab().toImage().convertToFormat(QImage::Format_RGB32);
      QCOMPARE(shot.size(), QSize(320, 200));
      // Below the list, left of the controls, nothing lies on the picture.
      const QRect bare(1, 130, 160, 69);
      QCOMPARE(shot.copy(bare), background_.copy(bare));
      const QRect inList(9, 9, 10, 10);  // inside Shape1, left of the row numbers
      QCOMPARE(shot.copy(inList), background_.copy(inList));
      for (const QPoint& p : {QPoint(0, 0), QPoint(319, 199), QPoint(319, 0), QPoint(8, 8),
                              QPoint(312, 128), QPoint(168, 136), QPoint(312, 156)}) {
        QCOMPARE(QColor(shot.pixel(p)), QColor(Qt::black));
      }
      // Just outside the outlines: the picture again.
      for (const QPoint& p : {QPoint(7, 50), QPoint(313, 50), QPoint(50, 7), QPoint(50, 129),
                              QPoint(167, 145), QPoint(200, 135), QPoint(200, 157)}) {
        QCOMPARE(shot.pixel(p), background_.pixel(p));
      }
      d.reject();
    }));
  }
};

ZT_TEST_MAIN(HighscoreDialogTest)
#include "HighscoreDialogTest.moc"
