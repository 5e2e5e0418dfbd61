#pragma once

#include <QString>
#include <QtTest>

#include "core/GameSettings.h"

namespace zt {

// How QCOMPARE shows settings that differ.
inline char* toString(const GameSettings& s) {
  QString variants;
  for (const VariantValues& v : s.variants)
    variants += QString(" %1/%2").arg(v[0]).arg(v[1]);
  return QTest::toString(QString("tongue %1, mode %2, variants%3, sound %4, music %5")
                             .arg(s.tongue)
                             .arg(s.mode)
                             .arg(variants)
                             .arg(s.sound)
                             .arg(s.music));
}

namespace test {

// The settings of a first start, written out value by value: no language yet,
// CRUX with pattern 2, TILZ level 1, BOSS 5 x 3, TRANSIT pattern 1, sound and
// music on. Puzzles with one variant value leave the second at 0.
inline GameSettings FirstStartSettings() {
  GameSettings s;
  s.tongue = -1;
  s.mode = kCrux;
  s.variants[kCrux] = {2, 0};
  s.variants[kTilz] = {1, 0};
  s.variants[kBoss] = {5, 3};
  s.variants[kTransit] = {1, 0};
  s.sound = true;
  s.music = true;
  return s;
}

}  // namespace test
}  // namespace zt
