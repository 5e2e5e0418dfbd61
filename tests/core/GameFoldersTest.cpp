// Where the game finds its own files (the build tree and an installed tree)
// and the player's own music folder.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/GameFolders.h"
#include "tests/common/TestMain.h"

using namespace zt;

class GameFoldersTest : public QObject {
  Q_OBJECT

 private slots:
  // Trees made up under a temporary root; paths in the table are relative to
  // it. A name ending in '/' is made as a folder, any other as a file.
  void gameFolder_data() {
    const QString program = QStringLiteral(ZT_INSTALL_PROGRAM_DIR);
    const QString data = QStringLiteral(ZT_INSTALL_DATA_DIR);
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("build tree: beside the program")
        << QStringList{"build/bin/b1.bmp", "build/bin/ZTAV.HLP"} << "build/bin"
        << "build/bin/";
    QTest::newRow("installed: the data folder")
        << QStringList{program + "/zindle-tavrin", data + "/b1.bmp"} << program << data + "/";
    QTest::newRow("installed, program folder with a slash")
        << QStringList{program + "/zindle-tavrin", data + "/b1.bmp"} << program + "/" << data + "/";
    QTest::newRow("installed under a deeper prefix")
        << QStringList{"opt/zt/" + program + "/zindle-tavrin", "opt/zt/" + data + "/"}
        << "opt/zt/" + program << "opt/zt/" + data + "/";
    QTest::newRow("a file where the data folder would be")
        << QStringList{program + "/b1.bmp", data} << program << program + "/";
    QTest::newRow("the data folder of another prefix does not count")
        << QStringList{"a/" + program + "/b1.bmp", "b/" + data + "/"} << "a/" + program
        << "a/" + program + "/";
  }
  void gameFolder() {
    QFETCH(QStringList, tree);
    QFETCH(QString, programDir);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QDir r(root.path());
    for (const QString& path : tree) {
      if (path.endsWith('/')) {
        QVERIFY(r.mkpath(path));
        continue;
      }
      QVERIFY(r.mkpath(QFileInfo(path).path()));
      QFile f(r.filePath(path));
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(r.mkpath(programDir));
    QCOMPARE(FindGameFolder(r.filePath(programDir)), r.filePath(expected));
  }

  // The build writes the game's files beside the program; that tree runs as it is.
  void theBuildTreeIsAGameFolder() {
    const QString game = QDir(test::GameDir()).absolutePath();
    QCOMPARE(FindGameFolder(game), game + "/");
    QVERIFY(QFile::exists(FindGameFolder(game) + "b1.bmp"));
  }

  void userMusicFolder_data() {
    QTest::addColumn<QByteArray>("dataHome");  // empty: not set
    QTest::addColumn<QString>("expected");     // relative to HOME when it does not start with '/'
    QTest::newRow("XDG_DATA_HOME set")
        << QByteArray("/srv/players/ann/data") << "/srv/players/ann/data/zindle-tavrin/music/";
    QTest::newRow("XDG_DATA_HOME not set") << QByteArray() << ".local/share/zindle-tavrin/music/";
  }
  void userMusicFolder() {
    QFETCH(QByteArray, dataHome);
    QFETCH(QString, expected);
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
      qunsetenv("XDG_DATA_HOME");
    } else {
      qputenv("XDG_DATA_HOME", dataHome);
    }
    const QString folder = UserMusicFolder();
    qputenv("XDG_DATA_HOME", saved);
    if (!expected.startsWith('/')) expected = QDir::homePath() + "/" + expected;
    QCOMPARE(folder, expected);
  }
};

ZT_TEST_MAIN(GameFoldersTest)
#include "GameFoldersTest.moc"
