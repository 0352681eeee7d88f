#pragma once

// Everything a match asks of the world outside the rules, by what it serves:
//   IBoardView       the boards, their marks and fires, the ship models;
//   IMatchPresenter  the on-screen texts, sounds and music, the status line
//                    and the menu buttons;
//   IMatchWindows    the message and score windows, the options, the turn
//                    timer, the message loop and quitting;
//   IMatchLink       the messages to a LAN opponent.
// The main window's adapter (app/MatchHost) implements it; tests implement it
// with a recording fake.
//
// Contract:
// - Every call comes from the one UI thread, from inside a Match handler.
// - Calls are requests that return at once; none of them calls back into the
//   Match or runs the message loop. What follows later comes from the event
//   loop: Match::runDue when a wakeAfter is due, Match::messageClosed when
//   the player closes a modal message.
// - The Match keeps the authoritative state (flags, grids, fleets, button
//   states, the turn timer's state). Display calls carry what the display needs or the
//   host reads it from Match::state() at the time of the call; the host never
//   writes it.

#include "game/IBoardView.h"
#include "game/IMatchLink.h"
#include "game/IMatchPresenter.h"
#include "game/IMatchWindows.h"

namespace vtx {

class IMatchHost : public IBoardView, public IMatchPresenter, public IMatchWindows, public IMatchLink {
public:
    // A shot at a cell of board is about to be resolved: nothing of it has
    // happened yet (the grids and fleets are as before it). Every shot of
    // the battle comes here once, the player's, the computer's and the LAN
    // opponent's, wasted ones too; so a match can be kept and watched again.
    virtual void shotFired(Board board, std::int32_t row, std::int32_t column) {
        (void)board;
        (void)row;
        (void)column;
    }
};

} // namespace vtx
