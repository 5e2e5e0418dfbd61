#pragma once

#include <QString>
#include <cstdint>

namespace zt {

// The high-score list as the host uses it.
class HighscoreService {
 public:
  virtual ~HighscoreService() = default;
  // Time 0 shows the list named variantKey; a time above 0 offers it to the
  // list and opens the dialog only when it is among the five best.
  virtual void ShowHighscores(const QString& variantKey, std::int32_t time) = 0;
};

}  // namespace zt
