// The match flow: the menu buttons, the start of a match and of its battle,
// the turn timer that plays the opponent, the end of a match, the picking of
// board cells and the LAN exchange steps that the flow owns.

#include "game/Match.h"

#include "game/CellName.h"
#include "game/FleetBlock.h"

namespace vtx {

void Match::setTimer1(bool enabled) {
    if (m_state.Timer1Enabled == enabled) return;
    m_state.Timer1Enabled = enabled;
    m_host.SetTimer1(m_state.Timer1Enabled, m_state.Timer1Interval);
}

void Match::setTimer1Interval(std::int32_t ms) {
    if (m_state.Timer1Interval == ms) return;
    m_state.Timer1Interval = ms;
    m_host.SetTimer1(m_state.Timer1Enabled, m_state.Timer1Interval);
}

void Match::SetMenuButton(MenuButton button, bool enabled, bool whiteFont) {
    m_state.Buttons[static_cast<std::size_t>(button)] = ButtonState{enabled, whiteFont};
    m_host.SetButton(button, enabled, whiteFont);
}

void Match::refreshHost() {
    for (std::size_t i = 0; i < m_state.Buttons.size(); ++i)
        m_host.SetButton(static_cast<MenuButton>(i), m_state.Buttons[i].enabled,
                         m_state.Buttons[i].whiteFont);
    m_host.SetTimer1(m_state.Timer1Enabled, m_state.Timer1Interval);
}

void Match::ActivateTurnTimer() {
    SetTurnDelay(1);
}

void Match::SetTurnDelay(std::int32_t seconds) {
    m_state.TurnDelay = seconds;
    // A manual arrangement and a LAN battle run the timer at 5 ms; the focus
    // coming back to the window must not slow them to a second a tick.
    if (m_state.Arranging || (m_state.FightStarted && m_state.NetConnected)) return;
    setTimer1Interval(m_state.TurnDelay * 1000);
}

void Match::after(std::int32_t ms, Scheduler::Task then) {
    m_waits.at(m_clock.tickMs() + ms, std::move(then));
    m_host.WakeAfter(ms);
}

void Match::RunDue() {
    m_waits.runDue(m_clock.tickMs());
}

void Match::showMessageThen(std::int32_t top, std::string_view text, Scheduler::Task then) {
    m_afterMessage = std::move(then);
    m_host.ShowFormMess(top, text, true);
}

void Match::MessageClosed() {
    Scheduler::Task then = std::move(m_afterMessage);
    m_afterMessage = nullptr;
    if (then) then();
}

void Match::dropContinuations() {
    m_waits.cancelAll();
    m_afterMessage = nullptr;
}

void Match::elbtSingleGameClick() {
    // A start still waiting (the lobby starts matches past the button) is
    // replaced by this one.
    dropContinuations();
    if (m_host.musicChecked()) m_host.StartNextSong();
    m_state.IdleSpin = false;
    m_state.GameWon = false;
    m_state.GameLost = false;
    m_state.HudPulse = 100;
    m_host.ResetBoards();
    m_host.HideHudMessage();
    m_state.Level = 1;
    for (std::int32_t i = 0; i < GridCells; ++i)
        m_state.TargetCells[std::size_t(i)] = i + 1;
    // A won LAN match's points wait for the high-score window; a new match
    // before it opens must not turn them into nothing.
    if (!m_state.ScorePending) m_state.LastPoints = 0;
    m_state.PlayerShots = 0;
    m_state.EnemyHits = 0;
    m_state.NetMovePending = false;
    SetMenuButton(MenuButton::Single, false, false);
    // A LAN battle leaves the turn timer at 5 ms; the computer plays at its pace.
    if (!(m_state.NetMode && m_state.NetConnected)) setTimer1Interval(m_state.TurnDelay * 1000);
    m_starting = true;
    after(100, [this] { startAfterWait(); });
}

void Match::startAfterWait() {
    InitGame();
    m_starting = false;
    SetMenuButton(MenuButton::Network, false, false);
    if (m_state.Arranging) {
        SetMenuButton(MenuButton::Scores, false, true);
        SetMenuButton(MenuButton::Options, false, true);
        // Grey: a white Fight looked ready while ships were still to be placed.
        SetMenuButton(MenuButton::Fight, false, false);
    } else if (!m_state.NetMode) {
        SetMenuButton(MenuButton::Fight, true, true);
    }
    m_host.EnableScrollTimer();
    m_state.GameInProgress = true;
    m_host.ShowLogo(false);
}

void Match::InitGame() {
    m_state.Hunting = false;
    m_state.HitCount = 0;
    m_state.TargetCount = GridCells;
    m_state.PlayerTurn = 0;
    m_state.ShipToPlace = 1;
    m_state.Arranging = m_host.manualArrangementChecked();
    Place_Ships();
    if (!m_state.Arranging) m_host.HideShipModels(false);
    // The player's own choice of level stays unless "vortalix.ini" names one.
    if (const auto level = m_host.readVortalixDifficulty()) m_host.setDifficultyIndex(*level);
    if (m_state.Arranging) setTimer1(true);
}

void Match::elbtFightClick() {
    // Only a ready match can start its battle, whatever the widget state.
    if (!m_state.button(MenuButton::Fight).enabled || !m_state.GameInProgress || m_state.Arranging ||
        m_state.FightStarted)
        return;
    setTimer1(true);
    SetMenuButton(MenuButton::Fight, false, false);
    SetMenuButton(MenuButton::Single, false, false);
    SetMenuButton(MenuButton::Network, false, false);
    m_state.FightStarted = true;
    m_state.HoverPicking = false;
}

void Match::Timer1Timer() {
    if (!m_state.FightStarted || m_state.PlayerTurn != 0) return;
    bool shot = false;
    bool hit = false;
    if (!m_state.NetConnected) {
        m_state.HitCount = 0;
        m_state.Hunting = CollectHits();
        hit = m_state.Hunting ? SmartShoot() : Shoot();
        shot = true;
    } else if (m_state.NetMovePending) {
        hit = NetShoot();
        m_state.NetMovePending = false;
        shot = true;
    }
    if (shot) {
        if (hit) {
            m_host.PlaySound(Sound::Hit);
            m_host.SetStatus(status::EnemyMove);
            m_state.EnemyHits += 1;
        } else {
            m_host.PlaySound(Sound::Miss);
            m_state.PlayerTurn = 1;
            m_host.SetStatus(status::PlayerMove);
            setTimer1(false);
        }
    }
    if (SearchForWin() == 1 && !m_state.Arranging) loseMatch();
}

void Match::elbtExitClick() {
    dropContinuations();
    // Exit inside Single's wait ends the match being started, not the program.
    const bool matchRunning = m_state.GameInProgress || m_starting;
    m_starting = false;
    // The menu after a match is the menu of a fresh start: the world rests
    // until nobody has touched the mouse for the idle time, and a move stops
    // the spin again (a spin set at once here outlived every mouse move).
    m_state.IdleSpin = false;
    m_host.RestartIdleWait();
    SetMenuButton(MenuButton::Scores, true, true);
    SetMenuButton(MenuButton::Options, true, true);
    if (m_state.NetMode && !m_state.GameLost && !m_state.GameWon) m_host.SendLeave();
    m_state.NetMode = false;
    m_state.NetConnected = false;
    m_host.StopMusic();
    if (!m_state.GameLost && !m_state.GameWon) m_host.ShowLogo(true);
    m_state.FleetSent = false;
    m_state.FleetReceived = false;
    // A block announced for this match is no block of the next one, and a
    // shot not yet applied is no shot of the next opponent.
    m_state.ExpectInfo = false;
    m_state.ExpectField = false;
    m_state.NetMovePending = false;
    m_host.SetStatus("");
    // An unfinished manual arrangement ends with the match: the menu must not
    // keep taking placements or enable Fight outside a match.
    if (m_state.Arranging) {
        m_state.Arranging = false;
        m_state.HoverPicking = false;
        m_state.ShipToPlace = 1;
        setTimer1(false);
        setTimer1Interval(m_state.TurnDelay * 1000);
    }
    if (matchRunning) {
        // A match left before its end leaves nothing of it on the boards; a
        // finished one keeps its last picture under the result.
        if (!m_state.GameLost && !m_state.GameWon) m_host.ResetBoards();
        if (m_state.GameLost) m_host.PlaySound(Sound::Lost);
        if (m_state.GameWon) m_host.PlaySound(Sound::Won);
        m_state.GameLost = true;
        m_state.GameInProgress = false;
        SetMenuButton(MenuButton::Single, true, true);
        SetMenuButton(MenuButton::Network, true, true);
        SetMenuButton(MenuButton::Fight, false, false);
        m_state.FightStarted = false;
        m_state.HoverPicking = false;
        // A timer left running from the computer's turn would fire the next
        // match's first shot at its old pace instead of one interval after Fight.
        setTimer1(false);
    } else {
        m_host.QuitProgram();
    }
}

// ---------------------------------------------------------------------- picking

void Match::ParseCellName(std::string_view name) {
    const ParsedCell cell = parseCellName(name);
    m_state.PickedRow = cell.row;
    m_state.PickedColumn = cell.column;
    m_state.PickedBoard = cell.board;
}

void Match::CellHover(std::string_view name) {
    if (!m_state.Arranging) return;
    ParseCellName(name);
    if (m_state.ShipToPlace < 1 || m_state.ShipToPlace > FleetShips) return;
    m_host.ShowPlacementPreview();
    m_host.SetStatus(placementStatus());
}

void Match::CellMouseDown(std::string_view name, MouseButton button) {
    if (m_state.Arranging && button == MouseButton::Right) TogglePlaceHorizontal();
    if (m_state.Arranging && button == MouseButton::Left && m_state.PickedBoard == OwnBoard) PlaceShipAt();
    if (!m_state.Arranging && m_state.PlayerTurn == 1) {
        ParseCellName(name);
        if (m_state.PickedBoard == EnemyBoard && button == MouseButton::Left)
            PlayerShootAt(m_state.PickedRow, m_state.PickedColumn);
    }
}

// -------------------------------------------------------------------------- LAN

void Match::sendFleetExchange() {
    m_host.SendFleet();
    m_state.FleetSent = true;
}

void Match::CompleteFleetExchange() {
    if (!m_state.FleetSent || !m_state.FleetReceived) return;
    m_state.FightStarted = true;
    if (m_state.NetRole == 1) m_state.PlayerTurn = 1;
    if (m_state.NetRole == 2) m_state.PlayerTurn = 0;
    m_state.FleetSent = false;
    m_state.FleetReceived = false;
    setTimer1Interval(5);
    m_host.SetStatus(status::ReadyToPlay);
}

void Match::OpponentJoined(std::string_view fromIP) {
    m_state.OpponentIP = std::string(fromIP);
    m_state.NetConnected = true;
}

void Match::BlocksTaken() {
    m_state.ExpectInfo = false;
    m_state.ExpectField = false;
}

void Match::ReceiveMove(std::int32_t row, std::int32_t column) {
    if (!m_state.NetMode) return; // a side that left ignores its old opponent
    m_state.NetMoveRow = row;
    m_state.NetMoveCol = column;
    m_state.NetMovePending = true;
    m_state.PlayerTurn = 0;
    setTimer1(true);
}

void Match::ReceiveFleetBlock(std::span<const unsigned char> bytes) {
    if (!m_state.NetMode) return;
    overwriteFleetPrefix(m_state.EnemyFleet, bytes);
}

void Match::ReceiveFieldBlock(std::span<const unsigned char> bytes) {
    if (!m_state.NetMode) return;
    overwriteFieldPrefix(m_state.EnemyField, bytes);
    m_host.PositionEnemyShipModels();
    m_state.FleetReceived = true;
}

} // namespace vtx
