// The stored "MainForm" text: any text is either ignored or gives a position,
// and the position brought back onto a screen keeps the window's right and
// bottom edges on it without overflowing.
#include <cstring>

#include "core/GameSettings.h"
#include "core/WindowPlacement.h"
#include "fuzz/FuzzKit.h"

namespace {

void CheckAxis(int stored, int placed, int window, int screen) {
  const long long right = static_cast<long long>(stored) + window;
  if (right > screen) {
    ZT_FUZZ_CHECK(placed == screen - window);
  } else {
    ZT_FUZZ_CHECK(placed == stored);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

// The first eight bytes are the screen's width and height (as the window
// system might report them, any size); the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::uint16_t dims[4] = {};
  std::memcpy(dims, data, 8);
  const QSize screen(dims[0], dims[1]);
  const QSize window(1 + dims[2] % 2048, 1 + dims[3] % 2048);
  const QString text = zt::fuzz::Utf8(data + 8, size - 8);
  const auto position = zt::ParseWindowPosition(text);
  if (!position) return 0;
  ZT_FUZZ_CHECK(text.startsWith("200,"));
  ZT_FUZZ_CHECK(text.count(',') == 6);
  const QPoint placed = zt::ClampWindowPosition(*position, window, screen);
  CheckAxis(position->x(), placed.x(), window.width(), screen.width());
  CheckAxis(position->y(), placed.y(), window.height(), screen.height());
  return 0;
}
