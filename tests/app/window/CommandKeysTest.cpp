// The command keys the main window takes before any puzzle: which key with
// which modifiers gives which command, which keys are left to the puzzles,
// and how the help names them.
#include <QtTest>
#include <optional>

#include "app/window/CommandKeys.h"
#include "tests/common/TestMain.h"

using zt::Command;
using zt::CommandFor;

Q_DECLARE_METATYPE(std::optional<Command>)

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

}  // namespace

class CommandKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void commands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<std::optional<Command>>("command");
    const std::optional<Command> none;
    QTest::newRow("F2") << int(Qt::Key_F2) << kNone << std::optional{Command::NewGame};
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << kNone
                               << std::optional{Command::NextVariant};
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << kNone
                             << std::optional{Command::PreviousVariant};
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << kCtrl << std::optional{Command::SelectCrux};
    QTest::newRow("Ctrl+2") << int(Qt::Key_2) << kCtrl << std::optional{Command::SelectTilz};
    QTest::newRow("Ctrl+3") << int(Qt::Key_3) << kCtrl << std::optional{Command::SelectBoss};
    QTest::newRow("Ctrl+4") << int(Qt::Key_4) << kCtrl << std::optional{Command::SelectTransit};
    QTest::newRow("Ctrl+keypad 3")
        << int(Qt::Key_3) << (kCtrl | Qt::KeypadModifier) << std::optional{Command::SelectBoss};
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << kCtrl << std::optional{Command::Undo};
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << (kCtrl | kShift)
                                  << std::optional{Command::Redo};
    QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << kCtrl << std::optional{Command::Redo};
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << kCtrl << std::optional{Command::Restart};
    QTest::newRow("Ctrl+P") << int(Qt::Key_P) << kCtrl << std::optional{Command::Pause};
    QTest::newRow("Ctrl+B") << int(Qt::Key_B) << kCtrl << std::optional{Command::BestTimes};
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << kCtrl << std::optional{Command::Quit};
    QTest::newRow("F1") << int(Qt::Key_F1) << kNone << std::optional{Command::Help};
    QTest::newRow("H") << int(Qt::Key_H) << kNone << std::optional{Command::Hint};
    QTest::newRow("Shift+H") << int(Qt::Key_H) << kShift << std::optional{Command::Solve};
    // Pressing Ctrl (or adding Shift to it) only begins a command key.
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << kCtrl
                                << std::optional{Command::HoldForCommand};
    QTest::newRow("Shift while Ctrl is held")
        << int(Qt::Key_Shift) << (kCtrl | kShift) << std::optional{Command::HoldForCommand};
    // Keys the puzzles read, and near misses, reach the puzzle.
    QTest::newRow("Left") << int(Qt::Key_Left) << kNone << none;
    QTest::newRow("Shift+Left") << int(Qt::Key_Left) << kShift << none;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << kNone << none;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << kShift << none;
    // Shift alone begins Shift+H: it reaches no puzzle (CRUX would start its
    // clock).
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << kShift
                                 << std::optional{Command::HoldForCommand};
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << kAlt << none;
    QTest::newRow("Z without Ctrl") << int(Qt::Key_Z) << kNone << none;
    QTest::newRow("Alt+Z") << int(Qt::Key_Z) << kAlt << none;
    QTest::newRow("Ctrl+Alt+Z") << int(Qt::Key_Z) << (kCtrl | kAlt) << none;
    QTest::newRow("Shift+F2") << int(Qt::Key_F2) << kShift << none;
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << kCtrl << none;
    QTest::newRow("Ctrl+5") << int(Qt::Key_5) << kCtrl << none;
    QTest::newRow("1 without Ctrl") << int(Qt::Key_1) << kNone << none;
    QTest::newRow("Ctrl+H") << int(Qt::Key_H) << kCtrl << none;
    QTest::newRow("Alt+H") << int(Qt::Key_H) << kAlt << none;
  }
  void commands() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(std::optional<Command>, command);
    QCOMPARE(CommandFor(key, modifiers), command);
  }

  // No key with its modifiers gives two commands.
  void everyRowIsItsOwnKey() {
    const auto rows = zt::CommandKeys();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (std::size_t j = i + 1; j < rows.size(); ++j) {
        QVERIFY2(rows[i].key != rows[j].key || rows[i].modifiers != rows[j].modifiers,
                 qPrintable(zt::KeyName(rows[i], false)));
      }
      QCOMPARE(CommandFor(rows[i].key, rows[i].modifiers), std::optional{rows[i].command});
    }
  }

  void keyNames_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QTest::newRow("F2") << int(Qt::Key_F2) << kNone << "F2"
                        << "F2";
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << kNone << "Page Down"
                               << "Bild ab";
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << kNone << "Page Up"
                             << "Bild auf";
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << (kCtrl | kShift) << "Ctrl+Shift+Z"
                                  << "Strg+Umschalt+Z";
    QTest::newRow("Ctrl+4") << int(Qt::Key_4) << kCtrl << "Ctrl+4"
                            << "Strg+4";
    QTest::newRow("Shift+H") << int(Qt::Key_H) << kShift << "Shift+H"
                             << "Umschalt+H";
  }
  void keyNames() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, english);
    QFETCH(QString, german);
    const zt::CommandKey row{static_cast<Qt::Key>(key), modifiers, Command::Help};
    QCOMPARE(zt::KeyName(row, false), english);
    QCOMPARE(zt::KeyName(row, true), german);
  }
};

ZT_TEST_MAIN(CommandKeysTest)
#include "CommandKeysTest.moc"
