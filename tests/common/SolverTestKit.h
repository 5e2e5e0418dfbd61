#pragma once

namespace zt::test {

// Long sweeps run in full in the normal build and with fewer cases under
// AddressSanitizer and UndefinedBehaviorSanitizer, which make them several
// times slower. The build defines ZT_SANITIZED for the sanitizer build.
#ifdef ZT_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace zt::test
