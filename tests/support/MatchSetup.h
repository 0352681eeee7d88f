#pragma once

// Tests set a match up in the middle of a game (a grid, a turn, a LAN flag)
// without playing up to it. The product only reads the state; a test writes
// its own match's state here, and nowhere else.

#include "game/Match.h"

namespace vtx::test {

inline MatchState& setUp(Match& match) {
    return const_cast<MatchState&>(match.state());
}

} // namespace vtx::test
