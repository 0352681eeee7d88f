#include "app/ScoreHost.h"

#include "app/FormParts.h"
#include "game/Match.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormOpt.h"

namespace vtx {

bool ScoreHost::ScorePending() const {
    return m_match.state().ScorePending;
}
void ScoreHost::SetScorePending(bool pending) {
    m_match.state().ScorePending = pending;
}
int ScoreHost::LastPoints() const {
    return m_match.state().LastPoints;
}
QString ScoreHost::PlayerName() const {
    return m_parts.options ? m_parts.options->edPlayerName->text() : QString();
}

} // namespace vtx
