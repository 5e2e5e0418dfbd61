#pragma once

namespace zt {

// The virtual-key code the puzzles understand for a Qt key: letters, digits,
// the arrows (37..40) and the usual control and function keys by their codes;
// 0xff for any other key, which still counts as a key press.
inline constexpr int kOtherKey = 0xff;
int VirtualKeyCode(int qtKey);

}  // namespace zt
