// Reading the files the game depends on: only plain files of a bounded size,
// never waiting on a pipe or reading a device without end.
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/BoundedFile.h"
#include "tests/common/TestMain.h"

using namespace zt;

Q_DECLARE_METATYPE(zt::FileRefusal)

class BoundedFileTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  QString Make(const QString& kind) {
    const QString path = dir_.filePath(QString(kind).replace('/', '_'));
    QFile::remove(path);
    QDir(path).removeRecursively();
    if (kind == "plain" || kind == "at the cap" || kind == "over the cap" || kind == "unreadable" ||
        kind == "empty") {
      QFile f(path);
      if (!f.open(QIODevice::WriteOnly)) return {};
      const qint64 size = kind == "plain"        ? 10
                          : kind == "at the cap" ? 64
                          : kind == "empty"      ? 0
                                                 : 65;
      f.write(QByteArray(size, 'm'));
      if (kind == "unreadable") f.setPermissions(QFile::WriteOwner);
    } else if (kind == "fifo") {
      if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0) return {};
    } else if (kind == "link to /dev/zero") {
      if (symlink("/dev/zero", QFile::encodeName(path).constData()) != 0) return {};
    } else if (kind == "link to a plain file") {
      QFile f(dir_.filePath("target"));
      if (!f.open(QIODevice::WriteOnly)) return {};
      f.write("abc");
      f.close();
      QFile::link(dir_.filePath("target"), path);
    } else if (kind == "directory") {
      QDir().mkpath(path);
    }
    return path;
  }

 private slots:
  void onlyPlainFilesWithinTheCapAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<FileRefusal>("refusal");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << "plain" << FileRefusal::kNone << QByteArray(10, 'm');
    QTest::newRow("empty") << "empty" << FileRefusal::kNone << QByteArray();
    QTest::newRow("at the cap") << "at the cap" << FileRefusal::kNone << QByteArray(64, 'm');
    QTest::newRow("link to a plain file")
        << "link to a plain file" << FileRefusal::kNone << QByteArray("abc");
    QTest::newRow("over the cap") << "over the cap" << FileRefusal::kTooLarge << QByteArray();
    QTest::newRow("fifo") << "fifo" << FileRefusal::kNotRegular << QByteArray();
    QTest::newRow("link to /dev/zero")
        << "link to /dev/zero" << FileRefusal::kNotRegular << QByteArray();
    QTest::newRow("directory") << "directory" << FileRefusal::kNotRegular << QByteArray();
    QTest::newRow("missing") << "missing" << FileRefusal::kMissing << QByteArray();
    QTest::newRow("unreadable") << "unreadable" << FileRefusal::kUnreadable << QByteArray();
  }
  void onlyPlainFilesWithinTheCapAreRead() {
    QFETCH(QString, kind);
    QFETCH(FileRefusal, refusal);
    QFETCH(QByteArray, bytes);
    if (kind == "unreadable" && geteuid() == 0) QSKIP("the superuser reads every file");
    const QString path = Make(kind);
    QVERIFY(!path.isEmpty());
    QElapsedTimer clock;
    clock.start();
    const BoundedFile read = ReadBoundedFile(path, 64);
    QCOMPARE(read.refusal, refusal);
    QCOMPARE(read.bytes, bytes);
    QCOMPARE(CheckBoundedFile(path, 64), refusal);
    QCOMPARE(read.Reason().isEmpty(), refusal == FileRefusal::kNone);
    QVERIFY(clock.elapsed() < 1000);  // a pipe with no writer is not waited on
  }
};

ZT_TEST_MAIN(BoundedFileTest)
#include "BoundedFileTest.moc"
