#pragma once

// What the player reads about a kept match, in the player's language: whom it
// was against, when, how it ended, how many shots. The score window's list
// and the replay's status line say it the same way.

#include "game/Replay.h"

#include <QCoreApplication>
#include <QString>

namespace vtx {

class ReplayTexts {
    Q_DECLARE_TR_FUNCTIONS(ReplayTexts)
public:
    // "Computer, Hard", or the LAN opponent's name (taken as Latin-1 when it
    // is no UTF-8).
    static QString opponent(const Replay& replay);
    // The date and time of the first shot, in the local time zone.
    static QString date(const Replay& replay);
    // "Won", "Lost", "Left", ...; a cut match says so.
    static QString end(const Replay& replay);
    // "Shots: 34"
    static QString shots(int count);
};

} // namespace vtx
