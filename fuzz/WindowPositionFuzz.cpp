// The stored "MainForm" text: any text is either ignored or gives a position,
// and the window placed from it lies wholly on one screen's available area
// (or, larger than that area, starts at its top-left corner), without
// overflowing whatever the numbers.
#include <cstring>

#include "core/GameSettings.h"
#include "core/ScreenPlacement.h"
#include "core/WindowPlacement.h"
#include "fuzz/FuzzKit.h"

namespace {

void CheckAxis(int stored, int placed, int window, int from, int length) {
  if (window > length) {
    ZT_FUZZ_CHECK(placed == from);
    return;
  }
  ZT_FUZZ_CHECK(placed >= from);
  ZT_FUZZ_CHECK(static_cast<long long>(placed) + window <= static_cast<long long>(from) + length);
  // A window already inside stays where it is.
  if (stored >= from &&
      static_cast<long long>(stored) + window <= static_cast<long long>(from) + length) {
    ZT_FUZZ_CHECK(placed == stored);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

// The first eight bytes are a screen's width and height (as the window system
// might report them, any size) and the window's; the rest is the text. The
// desktop has two such screens side by side, the second with a panel at its
// top.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::uint16_t dims[4] = {};
  std::memcpy(dims, data, 8);
  const QRect first(0, 0, dims[0], dims[1]);
  const QRect second(dims[0], 0, dims[0], dims[1]);
  const int panel = dims[1] > 24 ? 24 : 0;
  zt::Desktop desktop;
  desktop.screens = {{first, first}, {second, second.adjusted(0, panel, 0, 0)}};
  desktop.primary = dims[2] % 2;
  const QSize window(1 + dims[2] % 2048, 1 + dims[3] % 2048);
  const QString text = zt::fuzz::Utf8(data + 8, size - 8);
  const auto position = zt::ParseWindowPosition(text);
  if (!position) return 0;
  ZT_FUZZ_CHECK(text.startsWith("200,"));
  ZT_FUZZ_CHECK(text.count(',') == 6);
  const int screen = zt::ScreenHolding(desktop, *position, window);
  ZT_FUZZ_CHECK(screen == 0 || screen == 1);
  const QRect area = desktop.screens[screen].available;
  const QPoint placed = zt::PlaceMainWindow(desktop, position, window, QPoint(672, 547));
  CheckAxis(position->x(), placed.x(), window.width(), area.x(), area.width());
  CheckAxis(position->y(), placed.y(), window.height(), area.y(), area.height());
  return 0;
}
