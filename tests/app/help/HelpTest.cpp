// The help window (the document, its topics, a missing or bad file, links that
// must not leave the document), the about box and the makers' link.
#include <sys/stat.h>
#include <unistd.h>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include "app/help/AboutDialog.h"
#include "app/help/HelpViewer.h"
#include "app/help/MakersLink.h"
#include "app/window/CommandKeys.h"
#include "core/Language.h"
#include "tests/common/Shots.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

QString ShippedHelp() {
  return QDir(test::GameDir()).filePath("ZTAV.HLP");
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList AnchorsOf(const QTextBlock& block) {
  QStringList names;
  for (auto it = block.begin(); !it.atEnd(); ++it)
    names += it.fragment().charFormat().anchorNames();
  return names;
}

// The block shown at the top of the browser's visible part.
QTextBlock TopBlock(QTextBrowser* b) {
  return b->cursorForPosition(QPoint(4, 4)).block();
}

QTextBlock BlockWithAnchor(QTextDocument* doc, const QString& name) {
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    if (AnchorsOf(b).contains(name)) return b;
  return {};
}

// The text of the blocks from the one with anchor `from` up to (not
// including) the one with anchor `to` (or the end).
QString SectionText(QTextDocument* doc, const QString& from, const QString& to) {
  QString text;
  bool in = false;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    const QStringList names = AnchorsOf(b);
    if (names.contains(from)) in = true;
    if (!to.isEmpty() && names.contains(to)) in = false;
    if (in) text += b.text() + '\n';
  }
  return text;
}

// Clicks on the middle of the first place where `text` stands.
bool ClickOnText(QTextBrowser* b, const QString& text) {
  const QTextCursor found = b->document()->find(text);
  if (found.isNull()) return false;
  QTextCursor c(b->document());
  c.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
  const QPoint at = b->cursorRect(c).center();
  QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, at);
  return true;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

  QWidget main_;
  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    main_.setFixedSize(500, 366);
    main_.move(40, 60);
    main_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main_));
  }

  void init() { Tongue = -1; }

  // The document that ships with the game: both topics, both languages
  // covering the whole game, links only within itself, nothing to load.
  void shippedDocument() {
    const HelpDocument doc = ReadHelpDocument(ShippedHelp());
    QVERIFY2(doc.ok, qPrintable(doc.html));
    for (const char* outside : {"src=", "<link", "url(", "http:", "https:", "@import"})
      QVERIFY2(!doc.html.contains(outside, Qt::CaseInsensitive), outside);

    QTextDocument text;
    text.setHtml(doc.html);
    QVERIFY(BlockWithAnchor(&text, "Das_Spiel").isValid());
    QVERIFY(BlockWithAnchor(&text, "The_Game").isValid());
    QStringList names, targets;
    for (QTextBlock b = text.begin(); b.isValid(); b = b.next()) {
      names += AnchorsOf(b);
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QString href = it.fragment().charFormat().anchorHref();
        if (!href.isEmpty()) targets += href;
      }
    }
    QVERIFY(targets.size() >= 10);
    for (const QString& target : targets) {
      QVERIFY2(target.startsWith('#'), qPrintable(target));
      QVERIFY2(names.contains(target.mid(1)), qPrintable(target));
    }

    const QString german = SectionText(&text, "Das_Spiel", "The_Game");
    const QString english = SectionText(&text, "The_Game", {});
    const QStringList germanTopics = {"CRUX",       "TILZ",  "BOSS",       "TRANSIT",
                                      "Pfeiltaste", "Uhr",   "Bestenlist", "Musik",
                                      "Geräusche",  "Pause", "Sprache",    "alle Einträge löschen",
                                      ".mid",       "Ecke",  "Rand",       "rechte Maustaste"};
    for (const QString& word : germanTopics)
      QVERIFY2(german.contains(word), qPrintable(word));
    const QStringList englishTopics = {"CRUX",          "TILZ",   "BOSS",     "TRANSIT",
                                       "arrow key",     "clock",  "high",     "music",
                                       "sound effects", "pause",  "language", "remove all entries",
                                       ".mid",          "corner", "margin",   "right mouse button"};
    for (const QString& word : englishTopics)
      QVERIFY2(english.contains(word), qPrintable(word));
  }

  // Every command key of the game, and the keys of the puzzles, are listed in
  // the keys section of both languages, as the player names them.
  void keysSectionListsEveryKey_data() {
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QStringList>("puzzleKeys");
    QTest::newRow("German") << true << "de_tasten"
                            << "de_zurueck"
                            << QStringList{"Tab", "Umschalt+Tab", "Umschalt", "Pfeiltaste"};
    QTest::newRow("English") << false << "en_keys"
                             << "en_undo" << QStringList{"Tab", "Shift+Tab", "Shift", "arrow key"};
  }
  void keysSectionListsEveryKey() {
    QFETCH(bool, german);
    QFETCH(QString, section);
    QFETCH(QString, next);
    QFETCH(QStringList, puzzleKeys);
    const HelpDocument doc = ReadHelpDocument(ShippedHelp());
    QVERIFY(doc.ok);
    QTextDocument text;
    text.setHtml(doc.html);
    const QString keys = SectionText(&text, section, next);
    QVERIFY2(!keys.isEmpty(), qPrintable(section));
    for (const CommandKey& key : CommandKeys())
      QVERIFY2(keys.contains(KeyName(key, german)), qPrintable(KeyName(key, german)));
    for (const QString& word : puzzleKeys)
      QVERIFY2(keys.contains(word), qPrintable(word));
  }

  void topicByLanguage_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("title");
    QTest::newRow("not chosen") << -1 << "The_Game"
                                << "Zindle Tavrin - Help";
    QTest::newRow("English") << 0 << "The_Game"
                             << "Zindle Tavrin - Help";
    QTest::newRow("German") << 1 << "Das_Spiel"
                            << "Zindle Tavrin - Hilfe";
  }
  void topicByLanguage() {
    QFETCH(int, tongue);
    QFETCH(QString, topic);
    QFETCH(QString, title);
    Tongue = tongue;
    QCOMPARE(HelpViewer::Topic(), topic);

    HelpViewer viewer;
    viewer.Open(ShippedHelp(), HelpViewer::Topic(), &main_);
    QWidget* window = viewer.Window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
    // The topic's heading is the first thing in view.
    QTextBrowser* b = viewer.Browser();
    QVERIFY2(AnchorsOf(TopBlock(b)).contains(topic), qPrintable(TopBlock(b).text()));
    // Beside the game as far as the screen allows, the frame included.
    const QSize frame = window->frameGeometry().size() - window->size();
    const QRect place = HelpViewer::PlaceBeside(main_.frameGeometry(), QSize(520, 600) + frame,
                                                main_.screen()->availableGeometry());
    QCOMPARE(window->frameGeometry().topLeft(), place.topLeft());
    test::SaveShot(*window, "help_" + topic);
  }

  // A second press keeps the window where the player put it, raises it and
  // jumps to the topic of the language now chosen; Quit closes it.
  void reopenAndQuit() {
    HelpViewer viewer;
    Tongue = 1;
    viewer.Open(ShippedHelp(), HelpViewer::Topic(), &main_);
    QPointer<QWidget> window = viewer.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTextBrowser* b = viewer.Browser();
    const int germanAt = b->verticalScrollBar()->value();
    window->move(window->pos() + QPoint(30, 20));
    const QPoint moved = window->pos();
    b->verticalScrollBar()->setValue(b->verticalScrollBar()->maximum());

    Tongue = 0;
    viewer.Open(ShippedHelp(), HelpViewer::Topic(), &main_);
    QCOMPARE(viewer.Window(), window.data());
    QCOMPARE(window->pos(), moved);
    QVERIFY(AnchorsOf(TopBlock(b)).contains("The_Game"));
    QVERIFY(b->verticalScrollBar()->value() > germanAt);

    // Closed by the player, the next press shows it again.
    window->close();
    QVERIFY(!window->isVisible());
    viewer.Open(ShippedHelp(), HelpViewer::Topic(), &main_);
    QVERIFY(window && window->isVisible());

    viewer.Quit();
    QVERIFY(!window);
    QVERIFY(!viewer.Window());
    viewer.Quit();  // nothing left to close
  }

  void badHelpFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing, English") << "missing" << 0 << "was not found";
    QTest::newRow("missing, German") << "missing" << 1 << "wurde nicht gefunden";
    QTest::newRow("missing, not chosen") << "missing" << -1 << "was not found";
    QTest::newRow("a folder") << "folder" << 0 << "cannot be read";
    QTest::newRow("unreadable, German") << "unreadable" << 1 << "kann nicht gelesen werden";
    QTest::newRow("too large") << "large" << 0 << "too large";
    QTest::newRow("a pipe") << "fifo" << 0 << "cannot be read";
    QTest::newRow("a link to /dev/zero") << "zero" << 0 << "cannot be read";
  }
  void badHelpFiles() {
    QFETCH(QString, kind);
    QFETCH(int, tongue);
    QFETCH(QString, message);
    Tongue = tongue;
    QString path = dir_.filePath("nothing/ZTAV.HLP");
    if (kind == "folder") {
      path = dir_.filePath("folder.HLP");
      QVERIFY(QDir().mkpath(path));
    } else if (kind == "unreadable") {
      path = dir_.filePath("locked.HLP");
      QVERIFY(Write(path, "<html><body><a name=\"The_Game\">x</a></body></html>"));
      QFile::setPermissions(path, QFileDevice::Permissions());
      if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("running with rights to read anything");
    } else if (kind == "large") {
      path = dir_.filePath("large.HLP");
      QVERIFY(Write(path, QByteArray(kHelpSizeLimit + 1, 'x')));
    } else if (kind == "fifo") {
      path = dir_.filePath("pipe.HLP");
      QFile::remove(path);
      QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "zero") {
      path = dir_.filePath("zero.HLP");
      QFile::remove(path);
      QCOMPARE(symlink("/dev/zero", QFile::encodeName(path).constData()), 0);
    }

    HelpViewer viewer;
    viewer.Open(path, "The_Game", &main_);
    QVERIFY(viewer.Window() && viewer.Window()->isVisible());
    const QString shown = viewer.Browser()->toPlainText();
    QVERIFY2(shown.contains(message), qPrintable(shown));
    QVERIFY2(shown.contains(path), qPrintable(shown));
    if (kind == "missing" && tongue == 1) test::SaveShot(*viewer.Window(), "help_missing_de");
  }

  // Documents the viewer could not lay out at once are refused as if the
  // help were missing; those within the bounds are shown.
  void documentsBeyondTheLayoutBoundsAreRefused_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("shown");
    const auto nested = [](const QString& open, int n) {
      QString text;
      for (int i = 0; i < n; ++i)
        text += open;
      return text + "x";
    };
    QTest::newRow("200,000 nested blocks") << nested("<div>", 200000) << false;
    QTest::newRow("120,000 nested lists") << nested("<ul><li>", 120000) << false;
    QTest::newRow("nesting at the bound") << nested("<div>", kHelpMaxNesting) << true;
    QTest::newRow("nesting beyond the bound") << nested("<div>", kHelpMaxNesting + 1) << false;
    QTest::newRow("closed blocks do not add up")
        << QString("<div>x</div>").repeated(kHelpMaxNesting * 4) << true;
    QTest::newRow("tables at the bound") << nested("<table><tr><td>", kHelpMaxTableNesting) << true;
    QTest::newRow("tables beyond the bound")
        << nested("<table><tr><td>", kHelpMaxTableNesting + 1) << false;
    QTest::newRow("one very long line") << "<p>" + QString("word ").repeated(100000) << false;
    QTest::newRow("a paragraph at the bound") << "<p>" + QString(kHelpMaxParagraph, 'w') << true;
    QTest::newRow("inline tags do not break a paragraph")
        << "<p>" + QString("<b>" + QString(99, 'w') + "</b>").repeated(1000) << false;
    QTest::newRow("long text in paragraphs")
        << QString("<p>" + QString("word ").repeated(2000) + "</p>").repeated(50) << true;
  }
  void documentsBeyondTheLayoutBoundsAreRefused() {
    QFETCH(QString, html);
    QFETCH(bool, shown);
    Tongue = 0;
    const QString path = dir_.filePath("bounds.HLP");
    QVERIFY(Write(path, html.toUtf8()));
    QElapsedTimer clock;
    clock.start();
    HelpViewer viewer;
    viewer.Open(path, "The_Game", &main_);
    QVERIFY(viewer.Window() && viewer.Window()->isVisible());
    const QString text = viewer.Browser()->toPlainText();
    QCOMPARE(text.contains("was not found"), !shown);
    if (!shown) {
      QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
      QVERIFY2(text.contains(path), qPrintable(text));
    }
  }

  // The size limit itself is still read.
  void fileAtTheLimit() {
    const QString path = dir_.filePath("limit.HLP");
    const QByteArray head = "<html><body><p>fits</p><!--";
    const QByteArray tail = "--></body></html>";
    QVERIFY(Write(path, head + QByteArray(200 - head.size() - tail.size(), ' ') + tail));
    QVERIFY(ReadHelpDocument(path, 200).ok);
    QVERIFY(!ReadHelpDocument(path, 199).ok);
  }

  // Only anchors within the document work: web addresses, other files and
  // pictures are never loaded.
  void linksStayInTheDocument() {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir_.filePath("pic.png")));
    QVERIFY(Write(dir_.filePath("other.html"), "<html><body>OTHER PAGE</body></html>"));
    QByteArray html =
        "<html><body><p><a href=\"https://example.com/x\">web</a> "
        "<a href=\"other.html\">file</a> <a href=\"#far\">jump</a> "
        "<img src=\"pic.png\"> <img src=\"" +
        QUrl::fromLocalFile(dir_.filePath("pic.png")).toEncoded() + "\"></p>";
    for (int i = 0; i < 80; ++i)
      html += "<p>filler " + QByteArray::number(i) + "</p>";
    html += "<h2><a name=\"far\">Far away</a></h2>";
    for (int i = 0; i < 40; ++i)
      html += "<p>more " + QByteArray::number(i) + "</p>";
    html += "</body></html>";
    const QString path = dir_.filePath("links.HLP");
    QVERIFY(Write(path, html));

    HelpViewer viewer;
    viewer.Open(path, "nowhere", &main_);
    QVERIFY(QTest::qWaitForWindowExposed(viewer.Window()));
    QTextBrowser* b = viewer.Browser();
    const QString before = b->toPlainText();
    QCOMPARE(b->verticalScrollBar()->value(), 0);

    QVERIFY(ClickOnText(b, "web"));
    QVERIFY(ClickOnText(b, "file"));
    QCOMPARE(b->toPlainText(), before);
    QVERIFY(!b->toPlainText().contains("OTHER PAGE"));
    QCOMPARE(b->verticalScrollBar()->value(), 0);
    QCOMPARE(b->source(), QUrl());

    QVERIFY(ClickOnText(b, "jump"));
    QCOMPARE(TopBlock(b).text(), QString("Far away"));

    for (const QUrl& url : {QUrl("pic.png"), QUrl::fromLocalFile(dir_.filePath("pic.png")),
                            QUrl("https://example.com/pic.png")}) {
      const QVariant got = b->document()->resource(QTextDocument::ImageResource, url);
      QVERIFY2(got.toByteArray().isEmpty() && got.userType() != QMetaType::QPixmap &&
                   got.userType() != QMetaType::QImage,
               qPrintable(url.toString()));
    }
    // Nor does the red picture show anywhere.
    b->verticalScrollBar()->setValue(0);
    const QImage shown = b->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixelColor(x, y) == QColor(Qt::red)) ++red;
    QCOMPARE(red, 0);
  }

  void placeBeside_data() {
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QSize game(506, 395);
    QTest::newRow("room on the right")
        << QRect(QPoint(100, 100), game) << QRect(0, 0, 1920, 1080) << QRect(614, 100, 520, 600);
    QTest::newRow("room on the left only")
        << QRect(QPoint(1300, 50), game) << QRect(0, 0, 1920, 1080) << QRect(772, 50, 520, 600);
    QTest::newRow("no room, more on the right")
        << QRect(QPoint(250, 100), game) << QRect(0, 0, 1024, 768) << QRect(504, 100, 520, 600);
    QTest::newRow("no room, more on the left, low game")
        << QRect(QPoint(270, 300), game) << QRect(0, 0, 1024, 768) << QRect(0, 168, 520, 600);
    QTest::newRow("short screen") << QRect(QPoint(0, 0), game) << QRect(0, 0, 800, 500)
                                  << QRect(280, 0, 520, 500);
    QTest::newRow("second screen") << QRect(QPoint(2000, 100), game) << QRect(1920, 0, 1280, 1024)
                                   << QRect(2514, 100, 520, 600);
  }
  void placeBeside() {
    QFETCH(QRect, mainFrame);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(HelpViewer::PlaceBeside(mainFrame, QSize(520, 600), available), expected);
  }

  void aboutBox_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tilzLine");
    QTest::newRow("English") << 0 << "About Zindle Tavrin"
                             << "Push the plates until the big green plate reaches its target.";
    QTest::newRow("German") << 1 << "Über Zindle Tavrin"
                            << "Platten schieben, bis die große grüne Platte ihr Ziel erreicht.";
  }
  void aboutBox() {
    QFETCH(int, tongue);
    QFETCH(QString, caption);
    QFETCH(QString, tilzLine);
    Tongue = tongue;
    QString title, version, line;
    int lines = 0;
    bool modal = false;
    QTimer::singleShot(0, &main_, [&] {
      auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
      if (!box) return;
      modal = box->isModal();
      title = box->windowTitle();
      version = box->TitleLabel->text();
      line = box->PuzzleLabels[1]->text();
      for (QLabel* l : box->PuzzleLabels)
        lines += l->text().isEmpty() ? 0 : 1;
      test::SaveShot(*box, "about_" + QString::number(tongue));
      QTest::mouseClick(box->OKBtn, Qt::LeftButton);
    });
    QTimer::singleShot(3000, &main_, [] {
      if (auto* w = QApplication::activeModalWidget()) w->close();
    });
    ShowAbout(&main_);
    QVERIFY(modal);
    QCOMPARE(title, caption);
    QCOMPARE(version, QString("Zindle Tavrin V1.2"));
    QCOMPARE(line, tilzLine);
    QCOMPARE(lines, 4);
  }

  void shippedMakersPage() {
    const QUrl url = MakersLink::Address(test::GameDir());
    if (!url.isLocalFile()) QSKIP("built with another makers' page");
    QCOMPARE(url, QUrl::fromLocalFile(QDir(test::GameDir()).filePath("makers.html")));
    QFile page(url.toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    for (const char* name : {"Zindle Games", "CRUX", "TILZ", "BOSS", "TRANSIT"})
      QVERIFY2(html.contains(name), name);
    for (const char* outside : {"src=\"http", "<link", "url(", "@import", "<script"})
      QVERIFY2(!html.contains(outside, Qt::CaseInsensitive), outside);
  }

  // Once opening fails, the link is off: later presses do not even try.
  void makersLinkSwitchesOff_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("expectedCalls");
    QTest::addColumn<bool>("enabledAfter");
    QTest::newRow("works every time") << "page" << QList<bool>{true, true, true} << 3 << true;
    QTest::newRow("fails at once") << "page" << QList<bool>{false, true, true} << 1 << false;
    QTest::newRow("fails the second time")
        << "page" << QList<bool>{true, false, true} << 2 << false;
    QTest::newRow("page missing") << "missing" << QList<bool>{true, true, true} << 0 << false;
    QTest::newRow("web address") << "https://example.com/games" << QList<bool>{true, true, true}
                                 << 3 << true;
  }
  void makersLinkSwitchesOff() {
    QFETCH(QString, address);
    QFETCH(QList<bool>, answers);
    QFETCH(int, expectedCalls);
    QFETCH(bool, enabledAfter);
    QUrl url(address);
    if (address == "page") {
      url = QUrl::fromLocalFile(dir_.filePath("makers.html"));
      QVERIFY(Write(url.toLocalFile(), "<html><body>Zindle Games</body></html>"));
    } else if (address == "missing") {
      url = QUrl::fromLocalFile(dir_.filePath("gone/makers.html"));
    }
    QList<QUrl> opened;
    MakersLink link(url, [&](const QUrl& u) {
      opened << u;
      return answers.value(opened.size() - 1);
    });
    QList<bool> results;
    for (int i = 0; i < answers.size(); ++i)
      results << link.Open();
    QCOMPARE(opened.size(), expectedCalls);
    for (const QUrl& u : opened)
      QCOMPARE(u, url);
    QCOMPARE(link.Enabled(), enabledAfter);
    // A press reports success only while the link works.
    for (int i = 0; i < results.size(); ++i)
      QCOMPARE(results[i], i < expectedCalls && answers[i]);
  }
};

ZT_TEST_MAIN(HelpTest)
#include "HelpTest.moc"
