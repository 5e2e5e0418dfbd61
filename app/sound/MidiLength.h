#pragma once

#include <optional>
#include <span>

namespace zt::sound {

// The playing time in seconds of a standard MIDI file: the moment of its last
// end-of-track, following every tempo change. The synthesiser keeps reporting
// "playing" for seconds after that while the last notes die away, so the
// music player uses this to know when a tune has really ended.
// Empty if the bytes are not a well-formed MIDI file with at least one track
// and a length above zero.
std::optional<double> MidiLength(std::span<const unsigned char> bytes);

}  // namespace zt::sound
