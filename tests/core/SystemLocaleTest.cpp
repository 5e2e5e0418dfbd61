// Which language the system asks for, read as C programs read the locale, and
// the language of the game's messages before and after the player chose one.
#include <QtTest>

#include "core/Language.h"
#include "core/SystemLocale.h"
#include "core/Texts.h"
#include "tests/common/TestMain.h"

using namespace zt;

class SystemLocaleTest : public QObject {
  Q_OBJECT

  // Sets the three variables for one case; empty unsets.
  static void SetLocale(const QString& lcAll, const QString& lcMessages, const QString& lang) {
    const std::pair<const char*, QString> vars[] = {
        {"LC_ALL", lcAll}, {"LC_MESSAGES", lcMessages}, {"LANG", lang}};
    for (const auto& [name, value] : vars) {
      if (value.isEmpty()) {
        qunsetenv(name);
      } else {
        qputenv(name, value.toUtf8());
      }
    }
  }

 private slots:
  void cleanup() {
    SetLocale({}, {}, "C.UTF-8");
    Tongue = -1;
  }

  void whichVariableDecides_data() {
    QTest::addColumn<QString>("lcAll");
    QTest::addColumn<QString>("lcMessages");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<bool>("german");
    QTest::newRow("LANG German") << ""
                                 << ""
                                 << "de_DE.UTF-8" << true;
    QTest::newRow("LANG Austrian") << ""
                                   << ""
                                   << "de_AT" << true;
    QTest::newRow("LANG bare de") << ""
                                  << ""
                                  << "de" << true;
    QTest::newRow("LANG with a modifier") << ""
                                          << ""
                                          << "de@euro" << true;
    QTest::newRow("LANG English") << ""
                                  << ""
                                  << "en_GB.UTF-8" << false;
    QTest::newRow("LANG C") << ""
                            << ""
                            << "C" << false;
    QTest::newRow("LC_MESSAGES over LANG") << ""
                                           << "de_CH.UTF-8"
                                           << "en_US.UTF-8" << true;
    QTest::newRow("LC_MESSAGES English over German LANG") << ""
                                                          << "en_US.UTF-8"
                                                          << "de_DE.UTF-8" << false;
    QTest::newRow("LC_ALL over both") << "de_DE.UTF-8"
                                      << "en_US.UTF-8"
                                      << "en_US.UTF-8" << true;
    QTest::newRow("LC_ALL C over German") << "C"
                                          << "de_DE.UTF-8"
                                          << "de_DE.UTF-8" << false;
    QTest::newRow("not a German name") << ""
                                       << ""
                                       << "dek_XY" << false;
    QTest::newRow("German named later in the text") << ""
                                                    << ""
                                                    << "en_DE" << false;
  }
  void whichVariableDecides() {
    QFETCH(QString, lcAll);
    QFETCH(QString, lcMessages);
    QFETCH(QString, lang);
    QFETCH(bool, german);
    QCOMPARE(LocaleIsGerman(lcAll, lcMessages, lang), german);
    SetLocale(lcAll, lcMessages, lang);
    QCOMPARE(SystemLocaleIsGerman(), german);
  }

  // Before a language is chosen the system's decides; after, the player's.
  void messagesFollowThePlayerOnceChosen_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first start, German system") << -1 << "de_DE.UTF-8"
                                                << "Fehler";
    QTest::newRow("first start, English system") << -1 << "en_US.UTF-8"
                                                 << "Error";
    QTest::newRow("English chosen, German system") << 0 << "de_DE.UTF-8"
                                                   << "Error";
    QTest::newRow("German chosen, English system") << 1 << "en_US.UTF-8"
                                                   << "Fehler";
    QTest::newRow("odd stored value means English") << 7 << "de_DE.UTF-8"
                                                    << "Error";
  }
  void messagesFollowThePlayerOnceChosen() {
    QFETCH(int, tongue);
    QFETCH(QString, lang);
    QFETCH(QString, caption);
    SetLocale({}, {}, lang);
    Tongue = tongue;
    QCOMPARE(ErrorCaption(GermanMessages()), caption);
  }
};

ZT_TEST_MAIN(SystemLocaleTest)
#include "SystemLocaleTest.moc"
