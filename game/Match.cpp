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
        m_state.TargetCells[std::size_t(i)] = i + 1;
}

void Match::RemoveTarget(std::int32_t row, std::int32_t column) {
    const std::int32_t wanted = CellNumber(row, column);
    const std::int32_t count = std::clamp(m_state.TargetCount, 0, GridCells);
    auto first = m_state.TargetCells.begin();
    auto last = first + count;
    auto found = std::find(first, last, wanted);
    if (found == last) return;
    std::move(found + 1, last, found);
    *(last - 1) = 0;
    m_state.TargetCount = count - 1;
}

// ------------------------------------------------------------------ arrangement

void Match::writeShip(Field& field, TShipRecord& ship, std::int32_t n, std::int32_t row, std::int32_t column,
                      bool horizontal) {
    const std::int32_t size = ShipSizes[std::size_t(n - 1)];
    for (std::int32_t k = 0; k < size; ++k) {
        const DeckCell at = deckCell(row, column, horizontal, k);
        setCell(field, at.row, at.column, CellDeck);
        ship.Cols[k] = at.column;
        ship.Rows[k] = at.row;
        ship.DeckState[k] = DeckIntact;
    }
    ship.Horizontal = horizontal ? 1 : 0;
    ship.Size = size;
    ship.Sunk = 0;
    for (std::int32_t k = 0; k < size; ++k) {
        for (std::int32_t r = ship.Rows[k] - 1; r <= ship.Rows[k] + 1; ++r)
            for (std::int32_t c = ship.Cols[k] - 1; c <= ship.Cols[k] + 1; ++c)
                if (insideGrid(r, c) && cellAt(field, r, c) != CellDeck) setCell(field, r, c, CellZone);
    }
}

void Match::ArrangeFleet() {
    m_state.PlaceHorizontal = true;
    m_state.WorkField = emptyField();
    m_state.WorkFleet = TFleet{};
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        const std::int32_t size = ShipSizes[std::size_t(n - 1)];
        for (;;) {
            m_random.reseed(m_clock);
            const std::int32_t column = m_random.Random(10) + 1;
            const std::int32_t row = m_random.Random(10) + 1;
            m_state.PlaceHorizontal = !m_state.PlaceHorizontal;
            if (placementProblem(m_state.WorkField, size, row, column, m_state.PlaceHorizontal) !=
                PlacementProblem::None)
                continue;
            writeShip(m_state.WorkField, m_state.WorkFleet[std::size_t(n - 1)], n, row, column,
                      m_state.PlaceHorizontal);
            break;
        }
    }
}

void Match::Place_Ships() {
    if (m_state.Arranging) {
        m_state.HoverPicking = true;
        m_state.OwnField = emptyField();
        m_state.OwnFleet = TFleet{};
        m_state.PlaceHorizontal = true;
        // Before any pick the model has no cell yet: show it on a1 until the
        // first hover moves it.
        const std::int32_t row = insideGrid(m_state.PickedRow, m_state.PickedColumn) ? m_state.PickedRow : 1;
        const std::int32_t column =
            insideGrid(m_state.PickedRow, m_state.PickedColumn) ? m_state.PickedColumn : 1;
        m_host.ShowShipModel(m_state.ShipToPlace);
        m_host.PutShipModelAt(m_state.ShipToPlace, row, column);
        setTimer1Interval(5);
        setTimer1(true);
    } else {
        m_state.HoverPicking = false;
        ArrangeFleet();
        m_state.OwnField = m_state.WorkField;
        m_state.OwnFleet = m_state.WorkFleet;
        m_host.PositionOwnShipModels();
        m_host.AnimateShipModels();
        if (m_state.NetMode && m_state.NetConnected) {
            sendFleetExchange();
            return;
        }
    }
    // In a LAN match the opponent's fleet is the one it sends, whether its
    // blocks arrived before this arrangement or come after it; a generated
    // fleet would only overwrite blocks already here. The set-up runs when
    // the last ship is placed.
    if (m_state.NetMode && m_state.NetConnected) return;
    ArrangeFleet();
    m_state.EnemyField = m_state.WorkField;
    m_state.EnemyFleet = m_state.WorkFleet;
    m_host.PositionEnemyShipModels();
    RunDifficultySetup(m_host.difficultyIndex());
}

bool Match::PlaceShipAt() {
    const std::int32_t n = m_state.ShipToPlace;
    if (!m_state.Arranging || n < 1 || n > FleetShips) return false;
    const std::int32_t row = m_state.PickedRow;
    const std::int32_t column = m_state.PickedColumn;
    if (placementProblem(m_state.OwnField, ShipSizes[std::size_t(n - 1)], row, column,
                         m_state.PlaceHorizontal) != PlacementProblem::None)
        return false;
    writeShip(m_state.OwnField, m_state.OwnFleet[std::size_t(n - 1)], n, row, column,
              m_state.PlaceHorizontal);
    m_host.PutShipModelAt(n, row, column);
    m_state.ShipToPlace = n + 1;
    if (m_state.ShipToPlace <= FleetShips) m_host.ShowShipModel(m_state.ShipToPlace);
    if (m_state.ShipToPlace == FleetShips + 1) finishManualArrangement();
    return true;
}

void Match::finishManualArrangement() {
    setTimer1(false);
    setTimer1Interval(m_state.TurnDelay * 1000);
    m_state.Arranging = false;
    showMessageThen(60, "Ships Arrangement Complete!", [this] { afterArrangementMessage(); });
}

void Match::afterArrangementMessage() {
    SetMenuButton(MenuButton::Scores, true, true);
    SetMenuButton(MenuButton::Options, true, true);
    m_host.SetStatus("");
    m_host.HideShipModels(false);
    m_host.AnimateShipModels();
    m_host.PositionOwnShipModels();
    m_state.HoverPicking = false;
    RunDifficultySetup(m_host.difficultyIndex());
    if (!m_state.NetMode) SetMenuButton(MenuButton::Fight, true, true);
    if (m_state.NetMode && m_state.NetConnected) sendFleetExchange();
}

void Match::TogglePlaceHorizontal() {
    if (!m_state.Arranging) return;
    m_state.PlaceHorizontal = !m_state.PlaceHorizontal;
    m_host.ShowPlacementPreview();
    m_host.SetStatus(placementStatus());
}

std::string_view Match::placementStatus() const {
    const std::int32_t n = m_state.ShipToPlace;
    if (n < 1 || n > FleetShips) return status::PlaceHere;
    switch (placementProblem(m_state.OwnField, ShipSizes[std::size_t(n - 1)], m_state.PickedRow,
                             m_state.PickedColumn, m_state.PlaceHorizontal)) {
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

void Match::FightRefused() {
    if (!m_state.Arranging || !m_state.GameInProgress) return;
    const std::int32_t left = FleetShips + 1 - m_state.ShipToPlace;
    m_host.SetStatus(std::string(status::FightNeedsFleet) + " " + std::to_string(left) +
                     (left == 1 ? " ship" : " ships") + " left.");
}

void Match::RunDifficultySetup(std::int32_t index) {
    switch (index) {
    case 0:
        SetupEasy();
        break;
    case 1:
        SetupNormal();
        break;
    case 2:
        SetupHard();
        break;
    default:
        break; // no level selected: no set-up, Level unchanged
    }
}

// ------------------------------------------------------------------------ shots

bool Match::recordHit(std::int32_t board, std::int32_t row, std::int32_t column) {
    const bool own = board == OwnBoard;
    Field& field = own ? m_state.OwnField : m_state.EnemyField;
    TFleet& fleet = own ? m_state.OwnFleet : m_state.EnemyFleet;
    bool result = false;
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        TShipRecord& ship = fleet[std::size_t(n - 1)];
        for (int k = 1; k <= deckSlots(ship); ++k) {
            const auto deck = deckAt(ship, k);
            if (!deck || deck->row != row || deck->column != column) continue;
            result = true;
            setCell(field, row, column, CellHit);
            ship.DeckState[k - 1] = DeckDamaged;

            bool afloat = false;
            for (int j = 1; j <= deckSlots(ship); ++j)
                if (deckAt(ship, j) && ship.DeckState[j - 1] == DeckIntact) afloat = true;
            if (afloat) {
                m_host.PlaySound(Sound::Hit);
                continue;
            }
            m_host.PlaySound(Sound::Sunk);
            m_host.StartShake();
            if (own) m_state.HitCount = 0;
            ship.Sunk = 1;
            m_host.ShowSunkShip(board, n);
            for (int j = 1; j <= deckSlots(ship); ++j) {
                const auto d = deckAt(ship, j);
                if (!d) continue;
                setCell(field, d->row, d->column, CellSunk);
                if (!own) continue; // the enemy grid keeps '4' and its zone
                for (std::int32_t r = d->row - 1; r <= d->row + 1; ++r)
                    for (std::int32_t c = d->column - 1; c <= d->column + 1; ++c) {
                        if (!insideGrid(r, c)) continue;
                        RemoveTarget(r, c);
                        setCell(field, r, c, CellZone);
                    }
            }
        }
    }
    return result;
}

bool Match::HitEnemyShip(std::int32_t row, std::int32_t column) {
    return recordHit(EnemyBoard, row, column);
}

bool Match::HitOwnShip(std::int32_t row, std::int32_t column) {
    return recordHit(OwnBoard, row, column);
}

std::int32_t Match::SearchForWin() const {
    const bool ownClear =
        std::find(m_state.OwnField.begin(), m_state.OwnField.end(), CellDeck) == m_state.OwnField.end();
    const bool enemyClear =
        std::find(m_state.EnemyField.begin(), m_state.EnemyField.end(), CellDeck) == m_state.EnemyField.end();
    if (enemyClear) return 2;
    if (ownClear) return 1;
    return 0;
}

std::int32_t Match::computePoints(std::int32_t level, std::int32_t playerShots, std::int32_t enemyHits) {
    const std::int64_t points =
        std::int64_t(level) * (2 * (80 - std::int64_t(playerShots)) + 5 * (20 - std::int64_t(enemyHits)));
    return std::int32_t(std::clamp<std::int64_t>(points, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

bool Match::PlayerShootAt(std::int32_t row, std::int32_t column) {
    if (m_state.Arranging || m_state.PlayerTurn != 1 || !m_state.FightStarted || !insideGrid(row, column))
        return false;
    playerShot(row, column);
    return true;
}

void Match::playerShot(std::int32_t row, std::int32_t column) {
    m_state.PlayerShots = m_state.PlayerShots == std::numeric_limits<std::int32_t>::max()
                              ? m_state.PlayerShots
                              : m_state.PlayerShots + 1;
    if (m_state.NetMode && m_state.NetConnected) m_host.SendShot(row, column);
    const char c = cellAt(m_state.EnemyField, row, column);
    if (c == CellDeck) {
        m_host.MarkShot(EnemyBoard, row, column, true);
        m_host.PlaySound(Sound::Hit);
        HitEnemyShip(row, column);
        if (SearchForWin() == 2) winMatch();
        return;
    }
    if (c != CellHit) m_host.MarkShot(EnemyBoard, row, column, false);
    m_host.PlaySound(Sound::Miss);
    m_host.SetStatus(status::EnemyMove);
    m_state.PlayerTurn = 0;
    setTimer1(true);
}

bool Match::ResolveComputerShot(std::int32_t row, std::int32_t column, bool aimed) {
    const char c = cellAt(m_state.OwnField, row, column);
    if (c == CellWater) {
        m_host.MarkShot(OwnBoard, row, column, false);
        m_host.SetStatus(aimed ? status::ComputerMissed : status::Missed);
        setCell(m_state.OwnField, row, column, CellZone);
        return false;
    }
    if (c == CellDeck) {
        m_host.MarkShot(OwnBoard, row, column, true);
        if (aimed) m_host.SetStatus(status::ComputerHit);
        return HitOwnShip(row, column);
    }
    return false; // '2', '3', '4' or outside: a wasted shot
}

bool Match::NetShoot() {
    const std::int32_t row = m_state.NetMoveRow;
    const std::int32_t column = m_state.NetMoveCol;
    const char c = cellAt(m_state.OwnField, row, column);
    if (c == CellWater || c == CellZone) {
        m_host.MarkShot(OwnBoard, row, column, false);
        setCell(m_state.OwnField, row, column, CellZone);
        return false;
    }
    if (c == CellDeck) {
        m_host.MarkShot(OwnBoard, row, column, true);
        return HitOwnShip(row, column);
    }
    return false;
}

void Match::winMatch() {
    setTimer1(false);
    m_state.LastPoints = computePoints(m_state.Level, m_state.PlayerShots, m_state.EnemyHits);
    const bool lanMatch = m_state.NetMode && m_state.NetConnected; // Exit clears both
    if (lanMatch) m_host.StopMusic();
    m_state.GameWon = true;
    m_host.ShowWinMessage();
    elbtExitClick();
    m_state.ScorePending = true;
    if (!lanMatch) m_host.ShowScoreWindowModal();
}

void Match::loseMatch() {
    setTimer1(false);
    m_host.ShowEnemySurvivors();
    m_state.GameLost = true;
    m_host.ShowLossMessage();
    elbtExitClick();
}

} // namespace vtx
