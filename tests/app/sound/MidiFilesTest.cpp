// Reading a MIDI file's length (the player's clock for a tune's end), and the
// tunes the game ships.

#include <QDir>
#include <span>
#include <vector>

#include "app/sound/MidiLength.h"
#include "tests/common/TestMain.h"

using Bytes = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Bytes)

namespace {

void Append(Bytes& out, std::initializer_list<unsigned> bytes) {
  for (unsigned b : bytes)
    out.push_back(static_cast<unsigned char>(b));
}

Bytes Header(unsigned format, unsigned tracks, unsigned division) {
  Bytes out;
  Append(out,
         {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, division >> 8, division & 0xFF});
  return out;
}

// A track chunk around the given events; the length field can be forced.
Bytes Track(std::initializer_list<unsigned> events, long lengthField = -1) {
  Bytes out;
  const auto length = static_cast<unsigned>(lengthField < 0 ? events.size() : lengthField);
  Append(out, {'M', 'T', 'r', 'k', length >> 24, (length >> 16) & 0xFF, (length >> 8) & 0xFF,
               length & 0xFF});
  Append(out, events);
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::optional<double> Length(const Bytes& bytes) {
  return zt::sound::MidiLength(bytes);
}

}  // namespace

class MidiFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void lengths_data() {
    QTest::addColumn<Bytes>("file");
    QTest::addColumn<double>("seconds");
    // 480 ticks a quarter; 120 beats a minute unless a tempo says otherwise.
    QTest::newRow("one note, default tempo")
        << Join({Header(0, 1, 480),
                 Track({0, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0})})
        << 1.0;
    // A quarter at 60 a minute, then one at 120.
    QTest::newRow("tempo change") << Join({Header(0, 1, 480),
                                           Track({0,    0xFF, 0x51, 3,    0x0F, 0x42, 0x40,
                                                  0x83, 0x60, 0xFF, 0x51, 3,    0x07, 0xA1,
                                                  0x20, 0x83, 0x60, 0xFF, 0x2F, 0})})
                                  << 1.5;
    // The conductor track sets the tempo for the longer second track.
    QTest::newRow("tempo from another track")
        << Join({Header(1, 2, 480), Track({0, 0xFF, 0x51, 3, 0x0F, 0x42, 0x40, 0, 0xFF, 0x2F, 0}),
                 Track({0, 0x90, 60, 100, 0x87, 0x40, 0x80, 60, 0, 0, 0xFF, 0x2F, 0})})
        << 2.0;
    // Note-ons without their status byte, a note-off as velocity 0.
    QTest::newRow("running status")
        << Join({Header(0, 1, 480), Track({0, 0x90, 60, 100, 0, 64, 100, 0x83, 0x60, 60, 0, 0, 64,
                                           0, 0x83, 0x60, 0xFF, 0x2F, 0})})
        << 1.0;
    // 25 frames a second of 40 ticks: a thousand ticks a second.
    QTest::newRow("time code") << Join({Header(0, 1, 0xE728), Track({0x93, 0x44, 0xFF, 0x2F, 0})})
                               << 2.5;
    QTest::newRow("system exclusive and other chunks are passed over")
        << Join({Header(1, 1, 480), Bytes{'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2},
                 Track({0, 0xF0, 3, 0x7E, 0x09, 0xF7, 0, 0xFF, 0x03, 2, 'h', 'i', 0x87, 0x40, 0xFF,
                        0x2F, 0})})
        << 1.0;
    QTest::newRow("a track without end-of-track ends with its chunk")
        << Join({Header(0, 1, 480), Track({0x83, 0x60, 0x90, 60, 100})}) << 0.5;
  }
  void lengths() {
    QFETCH(Bytes, file);
    QFETCH(double, seconds);
    const std::optional<double> length = Length(file);
    QVERIFY(length.has_value());
    QCOMPARE(*length, seconds);
  }

  void malformed_data() {
    QTest::addColumn<Bytes>("file");
    const Bytes end = Track({0x83, 0x60, 0xFF, 0x2F, 0});
    QTest::newRow("empty") << Bytes{};
    QTest::newRow("not a MIDI file") << Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 4, 'W', 'A', 'V', 'E'};
    QTest::newRow("header only") << Header(0, 1, 480);
    QTest::newRow("short header") << Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0};
    QTest::newRow("no tracks") << Join({Header(0, 0, 480), end});
    QTest::newRow("division zero") << Join({Header(0, 1, 0), end});
    QTest::newRow("format 3") << Join({Header(3, 1, 480), end});
    QTest::newRow("fewer tracks than announced") << Join({Header(1, 2, 480), end});
    QTest::newRow("track longer than the file")
        << Join({Header(0, 1, 480), Track({0x83, 0x60, 0xFF, 0x2F, 0}, 400)});
    QTest::newRow("data byte with the high bit")
        << Join({Header(0, 1, 480), Track({0, 0x90, 0x90, 100, 0, 0xFF, 0x2F, 0})});
    QTest::newRow("running status with nothing to run on")
        << Join({Header(0, 1, 480), Track({0, 60, 100, 0, 0xFF, 0x2F, 0})});
    QTest::newRow("delta time over four bytes")
        << Join({Header(0, 1, 480), Track({0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0})});
    QTest::newRow("meta event past the end")
        << Join({Header(0, 1, 480), Track({0, 0xFF, 0x01, 20, 'x'})});
    QTest::newRow("zero tempo") << Join(
        {Header(0, 1, 480), Track({0, 0xFF, 0x51, 3, 0, 0, 0, 0x83, 0x60, 0xFF, 0x2F, 0})});
    QTest::newRow("nothing to play: ends at once")
        << Join({Header(0, 1, 480), Track({0, 0xFF, 0x2F, 0})});
  }
  void malformed() {
    QFETCH(Bytes, file);
    QVERIFY(!Length(file).has_value());
  }

  void truncatedFiles() {
    // Cut short anywhere, a good file is refused, and never read past its end.
    const Bytes good =
        Join({Header(0, 1, 480),
              Track({0, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0})});
    for (std::size_t n = 0; n < good.size(); ++n) {
      QVERIFY(!Length(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n))));
    }
  }

  // The game's own tunes: at least three, format 1 with several tracks, each
  // between one and three minutes.
  void shippedTunes() {
    const QDir game(zt::test::GameDir());
    const QStringList tunes = game.entryList({"*.mid"}, QDir::Files, QDir::Name);
    QVERIFY2(tunes.size() >= 3, qPrintable(tunes.join(", ")));
    for (const QString& name : tunes) {
      QFile file(game.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QByteArray data = file.readAll();
      const Bytes bytes(data.begin(), data.end());
      QVERIFY(bytes.size() > 14);
      QCOMPARE(int(bytes[9]), 1);  // format 1
      QVERIFY(bytes[11] >= 3);     // conductor and at least two instruments
      const std::optional<double> length = Length(bytes);
      QVERIFY2(length.has_value(), qPrintable(name));
      QVERIFY2(*length >= 60 && *length <= 180, qPrintable(name + QString(" %1 s").arg(*length)));
    }
  }
};

ZT_TEST_MAIN(MidiFilesTest)
#include "MidiFilesTest.moc"
