// The match flow: the menu buttons, the start of a match and of its battle,
// the turn timer that plays the opponent, the end of a match, the picking of
// board cells and the LAN exchange steps that the flow owns.

#include "game/Match.h"

#include "game/FleetBlock.h"

namespace vtx {

void Match::setTurnTimerEnabled(bool enabled) {
    if (m_state.turnTimerEnabled == enabled) return;
    m_state.turnTimerEnabled = enabled;
    m_host.setTurnTimer(m_state.turnTimerEnabled, m_state.turnTimerIntervalMs);
}

void Match::setTurnTimerInterval(std::int32_t ms) {
    if (m_state.turnTimerIntervalMs == ms) return;
    m_state.turnTimerIntervalMs = ms;
    m_host.setTurnTimer(m_state.turnTimerEnabled, m_state.turnTimerIntervalMs);
}

void Match::setMenuButton(MenuButton button, bool enabled, bool whiteFont) {
    m_state.buttons[static_cast<std::size_t>(button)] = ButtonState{enabled, whiteFont};
    m_host.setButton(button, enabled, whiteFont);
}

void Match::refreshHost() {
    for (std::size_t i = 0; i < m_state.buttons.size(); ++i)
        m_host.setButton(static_cast<MenuButton>(i), m_state.buttons[i].enabled,
                         m_state.buttons[i].whiteFont);
    m_host.setTurnTimer(m_state.turnTimerEnabled, m_state.turnTimerIntervalMs);
}

void Match::activateTurnTimer() {
    setTurnDelay(1);
}

void Match::setTurnDelay(std::int32_t seconds) {
    m_state.turnDelay = seconds;
    // A manual arrangement and a LAN battle run the timer at 5 ms; the focus
    // coming back to the window must not slow them to a second a tick.
    if (m_state.arranging || (m_state.fightStarted && m_state.netConnected)) return;
    setTurnTimerInterval(m_state.turnDelay * 1000);
}

void Match::after(std::int32_t ms, Scheduler::Task then) {
    m_waits.at(m_clock.tickMs() + ms, std::move(then));
    m_host.wakeAfter(ms);
}

void Match::runDue() {
    m_waits.runDue(m_clock.tickMs());
}

void Match::showMessageThen(std::int32_t top, std::string_view text, Scheduler::Task then) {
    m_afterMessage = std::move(then);
    m_host.showMessage(top, text, true);
}

void Match::messageClosed() {
    Scheduler::Task then = std::move(m_afterMessage);
    m_afterMessage = nullptr;
    if (then) then();
}

void Match::dropContinuations() {
    m_waits.cancelAll();
    m_afterMessage = nullptr;
}

void Match::singleClicked() {
    // A start still waiting (the lobby starts matches past the button) is
    // replaced by this one.
    dropContinuations();
    if (m_host.musicChecked()) m_host.startNextSong();
    m_state.gameWon = false;
    m_state.gameLost = false;
    m_host.resetBoards();
    m_host.hideHudMessage();
    m_state.level = 1;
    m_state.admiralPlays = false;
    for (std::int32_t i = 0; i < GridCells; ++i)
        m_state.targetCells[std::size_t(i)] = i + 1;
    // A won LAN match's points wait for the high-score window; a new match
    // before it opens must not turn them into nothing.
    if (!m_state.scorePending) m_state.lastPoints = 0;
    m_state.playerShots = 0;
    m_state.enemyHits = 0;
    m_state.usedEnemyCells = {};
    m_wastedShown = false;
    m_state.netMovePending = false;
    setMenuButton(MenuButton::Single, false, false);
    // A LAN battle leaves the turn timer at 5 ms; the computer plays at its pace.
    if (!(m_state.netMode && m_state.netConnected)) setTurnTimerInterval(m_state.turnDelay * 1000);
    m_starting = true;
    after(100, [this] { startAfterWait(); });
}

void Match::startAfterWait() {
    initGame();
    m_starting = false;
    setMenuButton(MenuButton::Network, false, false);
    if (m_state.arranging) {
        setMenuButton(MenuButton::Scores, false, true);
        setMenuButton(MenuButton::Options, false, true);
        // Grey: a white Fight looked ready while ships were still to be placed.
        setMenuButton(MenuButton::Fight, false, false);
    } else if (!m_state.netMode) {
        setMenuButton(MenuButton::Fight, true, true);
    }
    m_host.enableTickTimer();
    m_state.gameInProgress = true;
    ++m_state.matchesStarted;
    m_host.showLogo(false);
}

void Match::initGame() {
    m_state.hunting = false;
    m_state.hitCount = 0;
    m_state.targetCount = GridCells;
    m_state.playerTurn = 0;
    m_state.shipToPlace = 1;
    m_state.arranging = m_host.manualArrangementChecked();
    m_state.ownFleetByHand = m_state.arranging;
    placeFleets();
    if (!m_state.arranging) m_host.hideShipModels(false);
    // The player's own choice of level stays unless "vortalix.ini" names one.
    if (const auto level = m_host.readVortalixDifficulty()) m_host.setDifficultyIndex(*level);
    if (m_state.arranging) setTurnTimerEnabled(true);
}

void Match::fightClicked() {
    // Only a ready match can start its battle, whatever the widget state.
    if (!m_state.button(MenuButton::Fight).enabled || !m_state.gameInProgress || m_state.arranging ||
        m_state.fightStarted)
        return;
    setTurnTimerEnabled(true);
    setMenuButton(MenuButton::Fight, false, false);
    setMenuButton(MenuButton::Single, false, false);
    setMenuButton(MenuButton::Network, false, false);
    m_state.fightStarted = true;
    m_state.hoverPicking = false;
}

void Match::turnTimerFired() {
    if (!m_state.fightStarted || m_state.playerTurn != 0) return;
    bool shot = false;
    bool hit = false;
    if (!m_state.netConnected) {
        if (m_state.admiralPlays) {
            hit = admiralShoot();
        } else {
            m_state.hitCount = 0;
            m_state.hunting = collectHits();
            hit = m_state.hunting ? smartShoot() : shoot();
        }
        shot = true;
    } else if (m_state.netMovePending) {
        hit = netShoot();
        m_state.netMovePending = false;
        shot = true;
    }
    if (shot) {
        if (hit) {
            m_host.playSound(Sound::Hit);
            m_host.setStatus(status::EnemyMove);
            m_state.enemyHits += 1;
        } else {
            m_host.playSound(Sound::Miss);
            m_state.playerTurn = 1;
            m_host.setStatus(status::PlayerMove);
            m_wastedShown = false;
            setTurnTimerEnabled(false);
            warnOfWastedShot();
        }
    }
    if (fleetOutcome() == FleetOutcome::OwnFleetSunk && !m_state.arranging) loseMatch();
}

void Match::exitClicked() {
    dropContinuations();
    // Exit inside Single's wait ends the match being started, not the program.
    const bool matchRunning = m_state.gameInProgress || m_starting;
    m_starting = false;
    // The menu after a match is the menu of a fresh start: the world rests
    // until nobody has touched the mouse for the idle time, and a move stops
    // the spin again (a spin set at once here outlived every mouse move).
    m_host.restartIdleWait();
    setMenuButton(MenuButton::Scores, true, true);
    setMenuButton(MenuButton::Options, true, true);
    if (m_state.netMode && !m_state.gameLost && !m_state.gameWon) m_host.sendLeave();
    m_state.netMode = false;
    m_state.netConnected = false;
    m_host.stopMusic();
    if (!m_state.gameLost && !m_state.gameWon) m_host.showLogo(true);
    m_state.fleetSent = false;
    m_state.fleetReceived = false;
    // A block announced for this match is no block of the next one, and a
    // shot not yet applied is no shot of the next opponent.
    m_state.expectInfo = false;
    m_state.expectField = false;
    m_state.netMovePending = false;
    m_host.setStatus("");
    // An unfinished manual arrangement ends with the match: the menu must not
    // keep taking placements or enable Fight outside a match.
    if (m_state.arranging) {
        m_state.arranging = false;
        m_state.hoverPicking = false;
        m_state.shipToPlace = 1;
        setTurnTimerEnabled(false);
        setTurnTimerInterval(m_state.turnDelay * 1000);
    }
    if (matchRunning) {
        // A match left before its end leaves nothing of it on the boards; a
        // finished one keeps its last picture under the result.
        if (!m_state.gameLost && !m_state.gameWon) m_host.resetBoards();
        if (m_state.gameLost) m_host.playSound(Sound::Lost);
        if (m_state.gameWon) m_host.playSound(Sound::Won);
        m_state.gameLost = true;
        m_state.gameInProgress = false;
        setMenuButton(MenuButton::Single, true, true);
        setMenuButton(MenuButton::Network, true, true);
        setMenuButton(MenuButton::Fight, false, false);
        m_state.fightStarted = false;
        m_state.hoverPicking = false;
        // A timer left running from the computer's turn would fire the next
        // match's first shot at its old pace instead of one interval after Fight.
        setTurnTimerEnabled(false);
    } else {
        m_host.quitProgram();
    }
}

// ---------------------------------------------------------------------- picking

void Match::pick(BoardCell cell) {
    m_state.pickedRow = cell.row();
    m_state.pickedColumn = cell.column();
    m_state.pickedBoard = cell.board();
}

void Match::cellHovered(BoardCell cell) {
    if (!m_state.arranging) {
        if (cell.board() != EnemyBoard) return;
        m_aimedAt = cell;
        warnOfWastedShot();
        return;
    }
    pick(cell);
    if (m_state.shipToPlace < 1 || m_state.shipToPlace > FleetShips) return;
    m_host.showPlacementPreview();
    m_host.setStatus(placementStatus());
}

void Match::warnOfWastedShot() {
    if (!m_aimedAt || !m_state.fightStarted || m_state.playerTurn != 1 || m_state.gameWon || m_state.gameLost ||
        !m_state.gameInProgress)
        return;
    const bool used = m_state.usedEnemyCell(m_aimedAt->row(), m_aimedAt->column());
    if (used == m_wastedShown) return;
    m_wastedShown = used;
    m_host.setStatus(used ? status::ShotWasted : status::PlayerMove);
}

void Match::cellClicked(BoardCell cell, MouseButton button) {
    if (m_state.arranging && button == MouseButton::Right) togglePlaceHorizontal();
    if (m_state.arranging && button == MouseButton::Left && m_state.pickedBoard == OwnBoard) placeShipAt();
    if (!m_state.arranging && m_state.playerTurn == 1) {
        pick(cell);
        if (m_state.pickedBoard == EnemyBoard && button == MouseButton::Left)
            playerShootAt(m_state.pickedRow, m_state.pickedColumn);
    }
}

// -------------------------------------------------------------------------- LAN

void Match::sendFleetExchange() {
    m_host.sendFleet();
    m_state.fleetSent = true;
}

void Match::completeFleetExchange() {
    if (!m_state.fleetSent || !m_state.fleetReceived) return;
    m_state.fightStarted = true;
    if (m_state.netFirstShooter != FirstShooter::Creator)
        m_state.playerTurn = m_state.netFirstShooter == FirstShooter::ThisSide ? 1 : 0;
    else if (m_state.netRole == NetRole::Creator)
        m_state.playerTurn = 1;
    else if (m_state.netRole == NetRole::Joiner)
        m_state.playerTurn = 0;
    m_state.fleetSent = false;
    m_state.fleetReceived = false;
    setTurnTimerInterval(5);
    m_host.setStatus(status::ReadyToPlay);
}

void Match::startRematch(bool shootFirst) {
    m_state.netMode = true;
    m_state.netConnected = true;
    m_state.netFirstShooter = shootFirst ? FirstShooter::ThisSide : FirstShooter::Opponent;
    singleClicked();
}

void Match::opponentJoined(std::string_view fromIP) {
    m_state.netFirstShooter = FirstShooter::Creator;
    m_state.opponentIp = std::string(fromIP);
    m_state.netConnected = true;
}

void Match::blocksTaken() {
    m_state.expectInfo = false;
    m_state.expectField = false;
}

void Match::receiveMove(BoardCell cell) {
    if (!m_state.netMode) return;         // a side that left ignores its old opponent
    if (cell.board() != OwnBoard) return; // the opponent shoots at this side's own board only
    m_state.netMoveRow = cell.row();
    m_state.netMoveCol = cell.column();
    m_state.netMovePending = true;
    m_state.playerTurn = 0;
    setTurnTimerEnabled(true);
}

void Match::receiveFleetBlock(std::span<const unsigned char> bytes) {
    if (!m_state.netMode) return;
    overwriteFleetPrefix(m_state.enemyFleet, bytes);
}

void Match::receiveFieldBlock(std::span<const unsigned char> bytes) {
    if (!m_state.netMode) return;
    overwriteFieldPrefix(m_state.enemyField, bytes);
    m_host.positionEnemyShipModels();
    m_state.fleetReceived = true;
}

} // namespace vtx
