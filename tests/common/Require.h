#pragma once

#include <QtGlobal>

// A check inside a test helper that hands back a value and so cannot use
// QVERIFY: a broken fixture stops the test program at once, in every build
// type (Q_ASSERT is compiled out of the release build the tests run in).
#define ZT_REQUIRE(condition)                                                                   \
  do {                                                                                          \
    if (!(condition)) qFatal("%s:%d: test fixture broken: %s", __FILE__, __LINE__, #condition); \
  } while (false)
