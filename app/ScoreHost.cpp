#include "app/ScoreHost.h"

#include "app/FormParts.h"
#include "game/Match.h"

namespace vtx {

bool ScoreHost::ScorePending() const {
    return m_match.state().ScorePending;
}
void ScoreHost::SetScorePending(bool pending) {
    m_match.SetScorePending(pending);
}
int ScoreHost::LastPoints() const {
    return m_match.state().LastPoints;
}
QString ScoreHost::PlayerName() const {
    return m_parts.playerName();
}

} // namespace vtx
