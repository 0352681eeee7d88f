#include "app/ScoreHost.h"

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

} // namespace vtx
