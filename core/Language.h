#pragma once

namespace zt {

// The language flag: -1 not chosen yet, 0 English, 1 German. Every text is
// German when it is 1 and English otherwise.
inline int Tongue = -1;

inline bool German() {
  return Tongue == 1;
}

// Picks the text of the current language.
template <typename T>
inline T Say(T german, T english) {
  return German() ? german : english;
}

}  // namespace zt
