#pragma once

// The world after a scripted battle, shared by scene_bench and the picture
// tests so both look at the same frames: both fleets arranged and shown, ten
// decks hit on each board (twenty burning cells), the enemy's first three
// ships sunk, the other ships rocking, the idle spin turning the world and
// the win message fading. Call from the generated runtime folder as current
// directory; a missing data file throws std::runtime_error.
//
// Time is scripted too: the clock moves one 60 Hz frame per tick and the
// 100 ms timer runs every sixth tick, so the same ticks give the same picture.

#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/ViewTexts.h"
#include "scene/World.h"
#include "scene/engine/FrameClock.h"
#include "tests/support/MatchSetup.h"
#include "tests/support/NullMatchHost.h"

#include <cstdint>
#include <string>

namespace vtx::test {

class ScriptedBattle {
public:
    // The time of day moves on at every reading, as the random arrangement
    // needs (it re-seeds from it before every attempt).
    class SteppedClock final : public IClock {
    public:
        std::int64_t now = 0;
        std::int64_t seeds = 0;
        std::int64_t timeOfDayMs() override { return 12 * 3600 * 1000 + ++seeds; }
        std::int64_t tickMs() override { return now; }
    };
    // The battle drives the boards itself; the match only arranges the fleets.
    class QuietHost final : public NullMatchHost {
    public:
        QuietHost() { difficulty = -1; }
    };

    SteppedClock clock;
    QuietHost host;
    Match match{host, clock};
    World world;
    Boards boards{world, match.state()};
    CameraFx fx{world, match.state(), clock};
    ViewTexts texts{world, match.state()};
    FrameClock cadencer;
    int burning = 0;
    int ticks = 0;

    // Both build stages of the world; startDir receives the texture folder.
    void buildWorld(const std::string& startDir) {
        fx.randomBelow = [this](int n) { return int(match.random().random(n)); };
        cadencer.scene = &world.scene;
        world.loadFonts();
        world.setLogoColor();
        world.buildScenery(startDir);
        world.buildActivationStage(boards);
    }

    void playBattle() {
        MatchState& s = test::setUp(match);
        match.placeFleets();
        boards.positionOwnShipModels();
        boards.positionEnemyShipModels();
        boards.hideShipModels(false);
        boards.animateShipModels({}, [this](int n) { return int(match.random().random(n)); });
        for (Board board : {OwnBoard, EnemyBoard}) {
            const Fleet& fleet = board == OwnBoard ? s.ownFleet : s.enemyFleet;
            const int upTo = board == OwnBoard ? 10 : 20;
            for (int n = 1; n <= 10 && burning < upTo; ++n)
                for (int k = 1; k <= MaxDecks && burning < upTo; ++k)
                    if (const auto deck = deckAt(fleet[std::size_t(n - 1)], k)) {
                        boards.markShot(board, deck->row, deck->column, true);
                        ++burning;
                    }
        }
        for (int n = 1; n <= 3; ++n)
            boards.showSunkShip(EnemyBoard, n);
        fx.idleSpin = true;
        texts.showWinMessage(std::string(ViewTexts::WonText));
        s.gameWon = true;
    }

    // One 60 Hz frame of time.
    void tick() {
        clock.now += 16;
        cadencer.progress(1.0 / 60.0);
        if (ticks++ % 6 == 0) {
            fx.tickTimerFired();
            texts.tickTimerFired();
        }
    }
};

} // namespace vtx::test
