// The MIDI files of the program's folder, as the music player reads them
// before anything is handed to the synthesiser: any bytes give either no
// length (not a MIDI file) or a length above zero.
#include <cmath>
#include <span>

#include "app/sound/MidiLength.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto length = zt::sound::MidiLength(std::span(data, size));
  if (length) ZT_FUZZ_CHECK(std::isfinite(*length) && *length > 0);
  return 0;
}
