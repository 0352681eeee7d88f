#pragma once

#include <cstddef>
#include <span>

namespace vtx {

// The song device is a MIDI sequencer, but SDL_mixer hands any file named
// ".mid" to its synthesiser, which "plays" garbage as a song that ends at
// once. Songs are therefore checked first: a Standard MIDI File starts with
// an "MThd" chunk (big-endian length >= 6, at least one track) followed by
// an "MTrk" chunk; a RIFF MIDI file ("RIFF" size "RMID") wraps one.
//
// head: the first bytes of the file (kMidiHeadBytes are enough; fewer when
// the file is shorter). Every offset is checked against head's size.
inline constexpr std::size_t kMidiHeadBytes = 512;
bool looksLikeMidi(std::span<const unsigned char> head);

} // namespace vtx
