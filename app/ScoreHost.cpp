#include "app/ScoreHost.h"

#include "app/LanHost.h"
#include "app/ReplayViewer.h"
#include "app/WindowParts.h"
#include "game/Match.h"

namespace vtx {

bool ScoreHost::scorePending() const {
    return m_match.state().scorePending;
}
void ScoreHost::setScorePending(bool pending) {
    m_match.setScorePending(pending);
}
int ScoreHost::lastPoints() const {
    return m_match.state().lastPoints;
}
QString ScoreHost::playerName() const {
    return m_parts.playerName();
}
bool ScoreHost::canWatch() const {
    const SessionPhase phase = m_lan.channel().phase();
    return m_parts.replay && !m_match.state().gameInProgress &&
           (phase == SessionPhase::Idle || phase == SessionPhase::Closing);
}
void ScoreHost::watchReplay(const Replay& replay) {
    if (canWatch()) m_parts.replay->start(replay);
}

} // namespace vtx
