// Rules of the grids, the arrangement and the shots. The computer's targeting
// is in MatchComputer.cpp, the button and timer flow in MatchFlow.cpp.

#include "game/Match.h"

#include "game/FleetBlock.h"
#include "game/Placement.h"

#include <algorithm>
#include <limits>
#include <string>

namespace vtx {

Match::Match(IMatchHost& host, IClock& clock) : m_host(host), m_clock(clock) {
    for (std::int32_t i = 0; i < GridCells; ++i)
        m_state.targetCells[std::size_t(i)] = i + 1;
}

void Match::removeTarget(std::int32_t row, std::int32_t column) {
    const std::int32_t wanted = cellNumber(row, column);
    const std::int32_t count = std::clamp(m_state.targetCount, 0, GridCells);
    auto first = m_state.targetCells.begin();
    auto last = first + count;
    auto found = std::find(first, last, wanted);
    if (found == last) return;
    std::move(found + 1, last, found);
    *(last - 1) = 0;
    m_state.targetCount = count - 1;
}

// ------------------------------------------------------------------ arrangement

void Match::writeShip(Field& field, Ship& ship, std::int32_t n, std::int32_t row, std::int32_t column,
                      bool horizontal) {
    const std::int32_t size = ShipSizes[std::size_t(n - 1)];
    for (std::int32_t k = 0; k < size; ++k) {
        const DeckCell at = deckCell(row, column, horizontal, k);
        setCell(field, at.row, at.column, CellDeck);
        ship.cols[k] = at.column;
        ship.rows[k] = at.row;
        ship.deckState[k] = DeckIntact;
    }
    ship.horizontal = horizontal ? 1 : 0;
    ship.size = size;
    ship.sunk = 0;
    for (std::int32_t k = 0; k < size; ++k) {
        for (std::int32_t r = ship.rows[k] - 1; r <= ship.rows[k] + 1; ++r)
            for (std::int32_t c = ship.cols[k] - 1; c <= ship.cols[k] + 1; ++c)
                if (insideGrid(r, c) && cellAt(field, r, c) != CellDeck) setCell(field, r, c, CellZone);
    }
}

void Match::arrangeFleet() {
    m_state.placeHorizontal = true;
    m_state.workField = emptyField();
    m_state.workFleet = Fleet{};
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        const std::int32_t size = ShipSizes[std::size_t(n - 1)];
        for (;;) {
            m_random.reseed(m_clock);
            const std::int32_t column = m_random.random(10) + 1;
            const std::int32_t row = m_random.random(10) + 1;
            m_state.placeHorizontal = !m_state.placeHorizontal;
            if (placementProblem(m_state.workField, size, row, column, m_state.placeHorizontal) !=
                PlacementProblem::None)
                continue;
            writeShip(m_state.workField, m_state.workFleet[std::size_t(n - 1)], n, row, column,
                      m_state.placeHorizontal);
            break;
        }
    }
}

void Match::placeFleets() {
    if (m_state.arranging) {
        m_state.hoverPicking = true;
        m_state.ownField = emptyField();
        m_state.ownFleet = Fleet{};
        m_state.placeHorizontal = true;
        // Before any pick the model has no cell yet: show it on a1 until the
        // first hover moves it.
        const std::int32_t row = insideGrid(m_state.pickedRow, m_state.pickedColumn) ? m_state.pickedRow : 1;
        const std::int32_t column =
            insideGrid(m_state.pickedRow, m_state.pickedColumn) ? m_state.pickedColumn : 1;
        m_host.showShipModel(m_state.shipToPlace);
        m_host.putShipModelAt(m_state.shipToPlace, row, column);
        setTurnTimerInterval(5);
        setTurnTimerEnabled(true);
    } else {
        m_state.hoverPicking = false;
        arrangeFleet();
        m_state.ownField = m_state.workField;
        m_state.ownFleet = m_state.workFleet;
        m_host.positionOwnShipModels();
        m_host.animateShipModels();
        if (m_state.netMode && m_state.netConnected) {
            sendFleetExchange();
            return;
        }
    }
    // In a LAN match the opponent's fleet is the one it sends, whether its
    // blocks arrived before this arrangement or come after it; a generated
    // fleet would only overwrite blocks already here. The set-up runs when
    // the last ship is placed.
    if (m_state.netMode && m_state.netConnected) return;
    arrangeFleet();
    m_state.enemyField = m_state.workField;
    m_state.enemyFleet = m_state.workFleet;
    m_host.positionEnemyShipModels();
    runDifficultySetup(m_host.difficultyIndex());
}

bool Match::placeShipAt() {
    const std::int32_t n = m_state.shipToPlace;
    if (!m_state.arranging || n < 1 || n > FleetShips) return false;
    const std::int32_t row = m_state.pickedRow;
    const std::int32_t column = m_state.pickedColumn;
    if (placementProblem(m_state.ownField, ShipSizes[std::size_t(n - 1)], row, column,
                         m_state.placeHorizontal) != PlacementProblem::None)
        return false;
    writeShip(m_state.ownField, m_state.ownFleet[std::size_t(n - 1)], n, row, column,
              m_state.placeHorizontal);
    m_host.putShipModelAt(n, row, column);
    m_state.shipToPlace = n + 1;
    if (m_state.shipToPlace <= FleetShips) m_host.showShipModel(m_state.shipToPlace);
    if (m_state.shipToPlace == FleetShips + 1) finishManualArrangement();
    return true;
}

void Match::finishManualArrangement() {
    setTurnTimerEnabled(false);
    setTurnTimerInterval(m_state.turnDelay * 1000);
    m_state.arranging = false;
    showMessageThen(60, VTX_TEXT("GameTexts", "Ships Arrangement Complete!"),
                    [this] { afterArrangementMessage(); });
}

void Match::afterArrangementMessage() {
    setMenuButton(MenuButton::Scores, true, true);
    setMenuButton(MenuButton::Options, true, true);
    m_host.setStatus("");
    m_host.hideShipModels(false);
    m_host.animateShipModels();
    m_host.positionOwnShipModels();
    m_state.hoverPicking = false;
    runDifficultySetup(m_host.difficultyIndex());
    if (!m_state.netMode) setMenuButton(MenuButton::Fight, true, true);
    if (m_state.netMode && m_state.netConnected) sendFleetExchange();
}

void Match::togglePlaceHorizontal() {
    if (!m_state.arranging) return;
    m_state.placeHorizontal = !m_state.placeHorizontal;
    m_host.showPlacementPreview();
    m_host.setStatus(placementStatus());
}

std::string_view Match::placementStatus() const {
    const std::int32_t n = m_state.shipToPlace;
    if (n < 1 || n > FleetShips) return status::PlaceHere;
    switch (placementProblem(m_state.ownField, ShipSizes[std::size_t(n - 1)], m_state.pickedRow,
                             m_state.pickedColumn, m_state.placeHorizontal)) {
    case PlacementProblem::OffBoard:
        return status::PlaceOffBoard;
    case PlacementProblem::Overlaps:
        return status::PlaceOverlaps;
    case PlacementProblem::Touches:
        return status::PlaceTouches;
    case PlacementProblem::None:
        break;
    }
    return status::PlaceHere;
}

void Match::fightRefused() {
    if (!m_state.arranging || !m_state.gameInProgress) return;
    const std::int32_t left = FleetShips + 1 - m_state.shipToPlace;
    m_host.setCountedStatus(status::FightNeedsFleet, left);
}

void Match::runDifficultySetup(std::int32_t index) {
    switch (index) {
    case 0:
        setupEasy();
        break;
    case 1:
        setupNormal();
        break;
    case 2:
        setupHard();
        break;
    case AdmiralLevelIndex:
        if (m_state.netMode)
            setupHard(); // LAN points stay those of the three levels
        else
            setupAdmiral();
        break;
    default:
        break; // no level selected: no set-up, level unchanged
    }
}

// ------------------------------------------------------------------------ shots

bool Match::recordHit(Board board, std::int32_t row, std::int32_t column) {
    const bool own = board == OwnBoard;
    Field& field = own ? m_state.ownField : m_state.enemyField;
    Fleet& fleet = own ? m_state.ownFleet : m_state.enemyFleet;
    bool result = false;
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        Ship& ship = fleet[std::size_t(n - 1)];
        for (int k = 1; k <= deckSlots(ship); ++k) {
            const auto deck = deckAt(ship, k);
            if (!deck || deck->row != row || deck->column != column) continue;
            result = true;
            setCell(field, row, column, CellHit);
            ship.deckState[k - 1] = DeckDamaged;

            bool afloat = false;
            for (int j = 1; j <= deckSlots(ship); ++j)
                if (deckAt(ship, j) && ship.deckState[j - 1] == DeckIntact) afloat = true;
            if (afloat) {
                m_host.playSound(Sound::Hit);
                continue;
            }
            m_host.playSound(Sound::Sunk);
            m_host.startShake();
            if (own) m_state.hitCount = 0;
            ship.sunk = 1;
            m_host.showSunkShip(board, n);
            for (int j = 1; j <= deckSlots(ship); ++j) {
                const auto d = deckAt(ship, j);
                if (!d) continue;
                setCell(field, d->row, d->column, CellSunk);
                if (!own) {
                    // The enemy grid keeps '4' and its zone; the player knows them now.
                    for (std::int32_t r = d->row - 1; r <= d->row + 1; ++r)
                        for (std::int32_t c = d->column - 1; c <= d->column + 1; ++c)
                            if (insideGrid(r, c)) m_state.usedEnemyCells[std::size_t(gridIndex(r, c))] = true;
                    continue;
                }
                for (std::int32_t r = d->row - 1; r <= d->row + 1; ++r)
                    for (std::int32_t c = d->column - 1; c <= d->column + 1; ++c) {
                        if (!insideGrid(r, c)) continue;
                        removeTarget(r, c);
                        setCell(field, r, c, CellZone);
                    }
            }
        }
    }
    return result;
}

bool Match::hitEnemyShip(std::int32_t row, std::int32_t column) {
    return recordHit(EnemyBoard, row, column);
}

bool Match::hitOwnShip(std::int32_t row, std::int32_t column) {
    return recordHit(OwnBoard, row, column);
}

FleetOutcome Match::fleetOutcome() const {
    const bool ownClear =
        std::find(m_state.ownField.begin(), m_state.ownField.end(), CellDeck) == m_state.ownField.end();
    const bool enemyClear =
        std::find(m_state.enemyField.begin(), m_state.enemyField.end(), CellDeck) == m_state.enemyField.end();
    if (enemyClear) return FleetOutcome::EnemyFleetSunk;
    if (ownClear) return FleetOutcome::OwnFleetSunk;
    return FleetOutcome::None;
}

std::int32_t Match::computePoints(std::int32_t level, std::int32_t playerShots, std::int32_t enemyHits) {
    const std::int64_t points =
        std::int64_t(level) * (2 * (80 - std::int64_t(playerShots)) + 5 * (20 - std::int64_t(enemyHits)));
    return std::int32_t(std::clamp<std::int64_t>(points, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

bool Match::playerShootAt(std::int32_t row, std::int32_t column) {
    if (m_state.arranging || m_state.playerTurn != 1 || !m_state.fightStarted || !insideGrid(row, column))
        return false;
    playerShot(row, column);
    return true;
}

void Match::playerShot(std::int32_t row, std::int32_t column) {
    m_host.shotFired(EnemyBoard, row, column);
    m_state.usedEnemyCells[std::size_t(gridIndex(row, column))] = true;
    m_wastedShown = false; // a miss writes its own status
    m_state.playerShots = m_state.playerShots == std::numeric_limits<std::int32_t>::max()
                              ? m_state.playerShots
                              : m_state.playerShots + 1;
    if (m_state.netMode && m_state.netConnected) m_host.sendShot(row, column);
    const char c = cellAt(m_state.enemyField, row, column);
    if (c == CellDeck) {
        m_host.markShot(EnemyBoard, row, column, true);
        m_host.playSound(Sound::Hit);
        hitEnemyShip(row, column);
        if (fleetOutcome() == FleetOutcome::EnemyFleetSunk) {
            winMatch();
            return;
        }
        // The turn stays: the cell just hit is aimed at still, and used.
        m_aimedAt = BoardCell::at(EnemyBoard, row, column);
        warnOfWastedShot();
        return;
    }
    if (c != CellHit) m_host.markShot(EnemyBoard, row, column, false);
    m_host.playSound(Sound::Miss);
    m_host.setStatus(status::EnemyMove);
    m_state.playerTurn = 0;
    setTurnTimerEnabled(true);
}

bool Match::resolveComputerShot(std::int32_t row, std::int32_t column, bool aimed) {
    if (insideGrid(row, column)) m_host.shotFired(OwnBoard, row, column);
    const char c = cellAt(m_state.ownField, row, column);
    if (c == CellWater) {
        m_host.markShot(OwnBoard, row, column, false);
        m_host.setStatus(aimed ? status::ComputerMissed : status::Missed);
        setCell(m_state.ownField, row, column, CellZone);
        return false;
    }
    if (c == CellDeck) {
        m_host.markShot(OwnBoard, row, column, true);
        if (aimed) m_host.setStatus(status::ComputerHit);
        return hitOwnShip(row, column);
    }
    return false; // '2', '3', '4' or outside: a wasted shot
}

bool Match::netShoot() {
    const std::int32_t row = m_state.netMoveRow;
    const std::int32_t column = m_state.netMoveCol;
    if (insideGrid(row, column)) m_host.shotFired(OwnBoard, row, column);
    const char c = cellAt(m_state.ownField, row, column);
    if (c == CellWater || c == CellZone) {
        m_host.markShot(OwnBoard, row, column, false);
        setCell(m_state.ownField, row, column, CellZone);
        return false;
    }
    if (c == CellDeck) {
        m_host.markShot(OwnBoard, row, column, true);
        return hitOwnShip(row, column);
    }
    return false;
}

void Match::winMatch() {
    setTurnTimerEnabled(false);
    m_state.lastPoints = computePoints(m_state.level, m_state.playerShots, m_state.enemyHits);
    const bool lanMatch = m_state.netMode && m_state.netConnected; // Exit clears both
    if (lanMatch) m_host.stopMusic();
    if (!m_state.netMode) learnHabit();
    m_state.gameWon = true;
    m_host.showWinMessage();
    exitClicked();
    m_state.scorePending = true;
    if (!lanMatch) m_host.showScoreWindowModal();
}

void Match::loseMatch() {
    setTurnTimerEnabled(false);
    if (!m_state.netMode) learnHabit();
    m_host.showEnemySurvivors();
    m_state.gameLost = true;
    m_host.showLossMessage();
    exitClicked();
}

void Match::learnHabit() {
    if (!m_state.ownFleetByHand) return; // a random arrangement says nothing of the player
    PlayerHabit grown = m_habit;
    grown.record(fleetDecks(m_state.ownFleet));
    setPlayerHabit(grown);
    m_host.saveHabit(m_habit);
}

} // namespace vtx
