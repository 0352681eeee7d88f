#include "app/TestProbe.h"

#include "app/FormParts.h"
#include "game/Match.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/TFormMess.h"
#include "ui/TFormScore.h"
#include "ui/TformNet.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QVariant>

#include <algorithm>
#include <cstdio>

namespace vtx {

std::unique_ptr<TestProbe> TestProbe::fromEnvironment(const Match& match, const FormParts& parts) {
    const QString path = qEnvironmentVariable("VTX_TEST_PROBE");
    if (path.isEmpty()) return nullptr;
    return std::make_unique<TestProbe>(path, match, parts);
}

TestProbe::TestProbe(QString path, const Match& match, const FormParts& parts)
    : m_path(std::move(path)), m_match(match), m_parts(parts) {}

QString TestProbe::text() const {
    const MatchState& s = m_match.state();
    int shotAtOwn = 0;
    for (char c : s.OwnField)
        shotAtOwn += c == CellHit || c == CellSunk ? 1 : 0;
    QString text;
    const auto put = [&text](const char* key, const QVariant& value) {
        text += QString::fromLatin1(key) + u'=' + value.toString() + u'\n';
    };
    const QPoint viewer = m_parts.viewer ? m_parts.viewer->mapToGlobal(QPoint(0, 0)) : QPoint();
    const TformNet* lobby = m_parts.lobby;
    put("viewer", QStringLiteral("%1,%2").arg(viewer.x()).arg(viewer.y()));
    put("status", m_parts.status ? m_parts.status->text() : QString());
    put("turn", s.PlayerTurn);
    put("fight", int(s.FightStarted));
    put("inprogress", int(s.GameInProgress));
    put("won", int(s.GameWon));
    put("lost", int(s.GameLost));
    put("pending", int(s.ScorePending));
    put("points", s.LastPoints);
    put("netmode", int(s.NetMode));
    put("connected", int(s.NetConnected));
    put("shots", s.PlayerShots);
    put("enemyhits", s.EnemyHits);
    put("enemysunk", int(std::count_if(s.EnemyFleet.begin(), s.EnemyFleet.end(),
                                       [](const TShipRecord& ship) { return ship.Sunk != 0; })));
    put("ownhit", shotAtOwn);
    put("lobby", int(lobby && lobby->isVisible()));
    put("servers", lobby ? lobby->lbServers->count() : 0);
    put("message", m_parts.mess && m_parts.mess->isVisible() ? m_parts.mess->labMessF->text() : QString());
    put("scores", int(m_parts.scores && m_parts.scores->isVisible()));
    put("frames", m_parts.viewer ? m_parts.viewer->framesDrawn() : 0);
    put("partframes", m_parts.viewer ? m_parts.viewer->partFramesDrawn() : 0);
    return text;
}

void TestProbe::update() {
    QString now = text();
    if (now == m_written) return;
    // Written aside and renamed: a reader never sees half a file.
    QFile out(m_path + QStringLiteral(".new"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    out.write(now.toUtf8());
    out.close();
    if (std::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(m_path).constData()) ==
        0)
        m_written = std::move(now);
}

} // namespace vtx
