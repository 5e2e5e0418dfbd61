// The real program's command line, run without any display: --help and
// --version answer, wrong arguments end with status 2, and nothing of it
// needs a window system (the program would abort if it tried to open one).
#include <QProcess>
#include <QtTest>

#include "tests/common/TestMain.h"

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void answers_data() {
    const QString version = QStringLiteral("Zindle Tavrin " ZT_VERSION "\n");
    const QStringList usage{"Usage: zindle-tavrin [options]\n", "-h, --help", "-v, --version",
                            "-platform"};
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out");  // the whole output if one line, else parts of it
    QTest::addColumn<QStringList>("err");  // parts of the error output; none: it is empty
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringList{version}
                               << QStringList();
    QTest::newRow("-v") << QStringList{"-v"} << 0 << QStringList{version} << QStringList();
    QTest::newRow("Qt's options pass") << QStringList{"-platform", "xcb", "-reverse", "--version"}
                                       << 0 << QStringList{version} << QStringList();
    QTest::newRow("Qt's option with =")
        << QStringList{"-style=fusion", "-v"} << 0 << QStringList{version} << QStringList();
    for (const char* help : {"--help", "-h", "-?"})
      QTest::newRow(help) << QStringList{help} << 0 << usage << QStringList();
    QTest::newRow("help wins over version")
        << QStringList{"--version", "--help"} << 0 << usage << QStringList();
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << QStringList{""}
                                    << QStringList{"frobnicate", "--help"};
    QTest::newRow("unknown option after a good one")
        << QStringList{"--version", "-x"} << 2 << QStringList{""} << QStringList{"'x'"};
    QTest::newRow("an argument") << QStringList{"tune.mid"} << 2 << QStringList{""}
                                 << QStringList{"tune.mid", "--help"};
    QTest::newRow("a value where none belongs")
        << QStringList{"--version=2"} << 2 << QStringList{""} << QStringList{"version"};
    QTest::newRow("Qt's option without its value")
        << QStringList{"-platform"} << 2 << QStringList{""} << QStringList{"platform"};
  }
  void answers() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZT_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == status, qPrintable(stdErr));
    if (out.size() == 1) {
      QCOMPARE(stdOut, out.first());
    } else {
      for (const QString& part : out)
        QVERIFY2(stdOut.contains(part), qPrintable(stdOut));
    }
    if (err.isEmpty()) QCOMPARE(stdErr, QString());
    for (const QString& part : err)
      QVERIFY2(stdErr.contains(part), qPrintable(stdErr));
  }
};

ZT_TEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
