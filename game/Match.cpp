// Rules of the grids, the arrangement and the shots. The computer's targeting
// is in MatchComputer.cpp, the button and timer flow in MatchFlow.cpp.

#include "game/Match.h"

#include "game/FleetBlock.h"

#include <algorithm>
#include <limits>
#include <string>

namespace vtx {

Match::Match(IMatchHost& host, IClock& clock) : m_host(host), m_clock(clock) {
    for (std::int32_t i = 0; i < GridCells; ++i)
        m_s.TargetCells[std::size_t(i)] = i + 1;
}

void Match::RemoveTarget(std::int32_t row, std::int32_t column) {
    const std::int32_t wanted = CellNumber(row, column);
    const std::int32_t count = std::clamp(m_s.TargetCount, 0, GridCells);
    auto first = m_s.TargetCells.begin();
    auto last = first + count;
    auto found = std::find(first, last, wanted);
    if (found == last) return;
    std::move(found + 1, last, found);
    *(last - 1) = 0;
    m_s.TargetCount = count - 1;
}

// ------------------------------------------------------------------ arrangement

bool Match::fits(const Field& field, std::int32_t size, std::int32_t row, std::int32_t column,
                 bool horizontal) const {
    for (std::int32_t k = 0; k < size; ++k) {
        const std::int32_t r = horizontal ? row : row + k;
        const std::int32_t c = horizontal ? column + k : column;
        // Rows and columns below 1 are refused too: a pick that never happened
        // reads as row 0.
        if (cellAt(field, r, c) != CellWater) return false;
    }
    return true;
}

void Match::writeShip(Field& field, TShipRecord& ship, std::int32_t n, std::int32_t row, std::int32_t column,
                      bool horizontal) {
    const std::int32_t size = ShipSizes[std::size_t(n - 1)];
    for (std::int32_t k = 0; k < size; ++k) {
        const std::int32_t r = horizontal ? row : row + k;
        const std::int32_t c = horizontal ? column + k : column;
        setCell(field, r, c, CellDeck);
        ship.Cols[k] = c;
        ship.Rows[k] = r;
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
    m_s.PlaceHorizontal = true;
    m_s.WorkField = emptyField();
    m_s.WorkFleet = TFleet{};
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        const std::int32_t size = ShipSizes[std::size_t(n - 1)];
        for (;;) {
            m_random.reseed(m_clock);
            const std::int32_t column = m_random.Random(10) + 1;
            const std::int32_t row = m_random.Random(10) + 1;
            m_s.PlaceHorizontal = !m_s.PlaceHorizontal;
            if (!fits(m_s.WorkField, size, row, column, m_s.PlaceHorizontal)) continue;
            writeShip(m_s.WorkField, m_s.WorkFleet[std::size_t(n - 1)], n, row, column, m_s.PlaceHorizontal);
            break;
        }
    }
}

void Match::Place_Ships() {
    if (m_s.Arranging) {
        m_s.HoverPicking = true;
        m_s.OwnField = emptyField();
        m_s.OwnFleet = TFleet{};
        m_s.PlaceHorizontal = true;
        // Before any pick the model has no cell yet: show it on a1 until the
        // first hover moves it.
        const std::int32_t row = insideGrid(m_s.PickedRow, m_s.PickedColumn) ? m_s.PickedRow : 1;
        const std::int32_t column = insideGrid(m_s.PickedRow, m_s.PickedColumn) ? m_s.PickedColumn : 1;
        m_host.ShowShipModel(m_s.ShipToPlace);
        m_host.PutShipModelAt(m_s.ShipToPlace, row, column);
        setTimer1Interval(5);
        setTimer1(true);
    } else {
        m_s.HoverPicking = false;
        ArrangeFleet();
        m_s.OwnField = m_s.WorkField;
        m_s.OwnFleet = m_s.WorkFleet;
        m_host.PositionOwnShipModels();
        const std::uint32_t start = m_flowSerial;
        m_host.AnimateShipModels();
        if (start != m_flowSerial) return; // an Exit ran inside the animation's pumping
        if (m_s.NetMode && m_s.NetConnected) {
            sendFleetExchange();
            return;
        }
    }
    // In a LAN match the opponent's fleet is the one it sends, whether its
    // blocks arrived before this arrangement or come after it; a generated
    // fleet would only overwrite blocks already here. The set-up runs when
    // the last ship is placed.
    if (m_s.NetMode && m_s.NetConnected) return;
    ArrangeFleet();
    m_s.EnemyField = m_s.WorkField;
    m_s.EnemyFleet = m_s.WorkFleet;
    m_host.PositionEnemyShipModels();
    RunDifficultySetup(m_host.difficultyIndex());
}

bool Match::PlaceShipAt() {
    const std::int32_t n = m_s.ShipToPlace;
    if (!m_s.Arranging || n < 1 || n > FleetShips) return false;
    const std::int32_t row = m_s.PickedRow;
    const std::int32_t column = m_s.PickedColumn;
    if (!fits(m_s.OwnField, ShipSizes[std::size_t(n - 1)], row, column, m_s.PlaceHorizontal)) return false;
    writeShip(m_s.OwnField, m_s.OwnFleet[std::size_t(n - 1)], n, row, column, m_s.PlaceHorizontal);
    m_host.PutShipModelAt(n, row, column);
    m_s.ShipToPlace = n + 1;
    if (m_s.ShipToPlace <= FleetShips) m_host.ShowShipModel(m_s.ShipToPlace);
    if (m_s.ShipToPlace == FleetShips + 1) finishManualArrangement();
    return true;
}

void Match::finishManualArrangement() {
    const std::uint32_t match = m_flowSerial;
    setTimer1(false);
    setTimer1Interval(m_s.TurnDelay * 1000);
    m_s.Arranging = false;
    m_host.ShowFormMess(60, "Ships Arrangement Complete!", true);
    // The message and the animation let queued clicks run: after an Exit (and
    // perhaps a new Single) the rest belongs to a match that is over.
    if (match != m_flowSerial) return;
    SetMenuButton(MenuButton::Scores, true, true);
    SetMenuButton(MenuButton::Options, true, true);
    m_host.SetStatus("");
    m_host.HideShipModels(false);
    m_host.AnimateShipModels();
    if (match != m_flowSerial) return;
    m_host.PositionOwnShipModels();
    m_s.HoverPicking = false;
    RunDifficultySetup(m_host.difficultyIndex());
    if (!m_s.NetMode) SetMenuButton(MenuButton::Fight, true, true);
    if (m_s.NetMode && m_s.NetConnected) sendFleetExchange();
}

void Match::TogglePlaceHorizontal() {
    if (!m_s.Arranging) return;
    m_s.PlaceHorizontal = !m_s.PlaceHorizontal;
    m_host.ShowPlacementPreview();
    m_host.SetStatus(placementStatus());
}

std::string_view Match::placementStatus() const {
    const std::int32_t n = m_s.ShipToPlace;
    if (n < 1 || n > FleetShips) return status::PlaceHere;
    std::string_view problem = status::PlaceHere;
    for (std::int32_t k = 0; k < ShipSizes[std::size_t(n - 1)]; ++k) {
        const std::int32_t r = m_s.PlaceHorizontal ? m_s.PickedRow : m_s.PickedRow + k;
        const std::int32_t c = m_s.PlaceHorizontal ? m_s.PickedColumn + k : m_s.PickedColumn;
        if (!insideGrid(r, c)) return status::PlaceOffBoard;
        const char cell = cellAt(m_s.OwnField, r, c);
        if (cell == CellDeck) problem = status::PlaceOverlaps;
        if (cell != CellWater && problem == status::PlaceHere) problem = status::PlaceTouches;
    }
    return problem;
}

void Match::FightRefused() {
    if (!m_s.Arranging || !m_s.GameInProgress) return;
    const std::int32_t left = FleetShips + 1 - m_s.ShipToPlace;
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
    Field& field = own ? m_s.OwnField : m_s.EnemyField;
    TFleet& fleet = own ? m_s.OwnFleet : m_s.EnemyFleet;
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
            if (own) m_s.HitCount = 0;
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
    const bool ownClear = std::find(m_s.OwnField.begin(), m_s.OwnField.end(), CellDeck) == m_s.OwnField.end();
    const bool enemyClear =
        std::find(m_s.EnemyField.begin(), m_s.EnemyField.end(), CellDeck) == m_s.EnemyField.end();
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
    if (m_s.Arranging || m_s.PlayerTurn != 1 || !m_s.FightStarted || !insideGrid(row, column)) return false;
    playerShot(row, column);
    return true;
}

void Match::playerShot(std::int32_t row, std::int32_t column) {
    m_s.PlayerShots =
        m_s.PlayerShots == std::numeric_limits<std::int32_t>::max() ? m_s.PlayerShots : m_s.PlayerShots + 1;
    if (m_s.NetMode && m_s.NetConnected) m_host.SendShot(row, column);
    const char c = cellAt(m_s.EnemyField, row, column);
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
    m_s.PlayerTurn = 0;
    setTimer1(true);
}

bool Match::ResolveComputerShot(std::int32_t row, std::int32_t column, bool aimed) {
    const char c = cellAt(m_s.OwnField, row, column);
    if (c == CellWater) {
        m_host.MarkShot(OwnBoard, row, column, false);
        m_host.SetStatus(aimed ? status::ComputerMissed : status::Missed);
        setCell(m_s.OwnField, row, column, CellZone);
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
    const std::int32_t row = m_s.NetMoveRow;
    const std::int32_t column = m_s.NetMoveCol;
    const char c = cellAt(m_s.OwnField, row, column);
    if (c == CellWater || c == CellZone) {
        m_host.MarkShot(OwnBoard, row, column, false);
        setCell(m_s.OwnField, row, column, CellZone);
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
    m_s.LastPoints = computePoints(m_s.Level, m_s.PlayerShots, m_s.EnemyHits);
    const bool lanMatch = m_s.NetMode && m_s.NetConnected; // Exit clears both
    if (lanMatch) m_host.StopMusic();
    m_s.GameWon = true;
    m_host.ShowWinMessage();
    elbtExitClick();
    m_s.ScorePending = true;
    if (!lanMatch) m_host.ShowScoreWindowModal();
}

void Match::loseMatch() {
    setTimer1(false);
    m_host.ShowEnemySurvivors();
    m_s.GameLost = true;
    m_host.ShowLossMessage();
    elbtExitClick();
}

} // namespace vtx
