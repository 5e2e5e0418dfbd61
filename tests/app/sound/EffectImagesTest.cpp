// The seven built-in effects: exact wave format and size, and clean edges.

#include <cstdint>
#include <span>

#include "assets/sound/EffectImages.h"
#include "tests/common/TestMain.h"

namespace {

std::uint32_t Le(std::span<const unsigned char> b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

struct Wave {
  std::uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, align = 0, bits = 0;
  std::span<const unsigned char> data;
  bool ok = false;
};

// Walks the RIFF chunks as a reader of wave files would.
Wave Parse(std::span<const unsigned char> image) {
  Wave w;
  if (image.size() < 12 ||
      std::string_view(reinterpret_cast<const char*>(image.data()), 4) != "RIFF" ||
      std::string_view(reinterpret_cast<const char*>(image.data()) + 8, 4) != "WAVE" ||
      Le(image, 4, 4) != image.size() - 8) {
    return w;
  }
  bool haveFormat = false;
  for (std::size_t at = 12; at + 8 <= image.size();) {
    const std::string_view tag(reinterpret_cast<const char*>(image.data()) + at, 4);
    const std::uint32_t size = Le(image, at + 4, 4);
    if (at + 8 + size > image.size()) return w;
    if (tag == "fmt " && size >= 16) {
      w.format = Le(image, at + 8, 2);
      w.channels = Le(image, at + 10, 2);
      w.rate = Le(image, at + 12, 4);
      w.byteRate = Le(image, at + 16, 4);
      w.align = Le(image, at + 20, 2);
      w.bits = Le(image, at + 22, 2);
      haveFormat = true;
    } else if (tag == "data") {
      w.data = image.subspan(at + 8, size);
    }
    at += 8 + size + (size & 1);  // chunks are padded to even sizes
  }
  w.ok = haveFormat && !w.data.empty();
  return w;
}

}  // namespace

class EffectImagesTest : public QObject {
  Q_OBJECT

 private slots:
  void format_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bytes");
    QTest::newRow("1 CRUX move") << 1 << 11025 << 3452;
    QTest::newRow("2 TILZ push") << 2 << 22050 << 5994;
    QTest::newRow("3 BOSS move") << 3 << 11025 << 2806;
    QTest::newRow("4 TRANSIT move") << 4 << 11025 << 2672;
    QTest::newRow("5 solved") << 5 << 22050 << 50752;
    QTest::newRow("6 TILZ blocked") << 6 << 11025 << 1897;
    QTest::newRow("7 TILZ corner") << 7 << 11025 << 6640;
  }
  void format() {
    QFETCH(int, n);
    QFETCH(int, rate);
    QFETCH(int, bytes);
    const Wave w = Parse(zt::sound::EffectImage(n));
    QVERIFY(w.ok);
    QCOMPARE(w.format, 1u);  // PCM
    QCOMPARE(w.channels, 1u);
    QCOMPARE(w.bits, 8u);
    QCOMPARE(w.align, 1u);
    QCOMPARE(w.rate, std::uint32_t(rate));
    QCOMPARE(w.byteRate, std::uint32_t(rate));
    QCOMPARE(w.data.size(), std::size_t(bytes));

    // Starts and ends on silence (128), so it does not click, and says
    // something in between without hitting the limits.
    QCOMPARE(int(w.data.front()), 128);
    QCOMPARE(int(w.data.back()), 128);
    int peak = 0;
    for (unsigned char s : w.data)
      peak = std::max(peak, std::abs(int(s) - 128));
    QVERIFY2(peak >= 60 && peak <= 126, qPrintable(QString::number(peak)));
    // Fades in from silence and out to it: the first half millisecond and the
    // last two stay next to the middle value, instead of starting or stopping
    // in the middle of a wave.
    const std::size_t head = static_cast<std::size_t>(rate / 2000);
    const std::size_t tail = static_cast<std::size_t>(rate / 500);
    for (std::size_t i = 0; i < head; ++i)
      QVERIFY(std::abs(int(w.data[i]) - 128) <= 4);
    for (std::size_t i = w.data.size() - tail; i < w.data.size(); ++i) {
      QVERIFY(std::abs(int(w.data[i]) - 128) <= 2);
    }
  }

  void otherNumbersHaveNoSound() {
    for (int n : {-1, 0, 8, 100})
      QVERIFY(zt::sound::EffectImage(n).empty());
  }
};

ZT_TEST_MAIN(EffectImagesTest)
#include "EffectImagesTest.moc"
