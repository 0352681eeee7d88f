#include "app/TestProbe.h"

#include "app/ChatPanel.h"
#include "app/ReplayViewer.h"
#include "app/WindowParts.h"
#include "game/Match.h"
#include "scene/engine/SceneView.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/ScoresWindow.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QVariant>

#include <algorithm>
#include <cstdio>

namespace vtx {

std::unique_ptr<TestProbe> TestProbe::fromEnvironment(const Match& match, const WindowParts& parts) {
    const QString path = qEnvironmentVariable("VTX_TEST_PROBE");
    if (path.isEmpty()) return nullptr;
    return std::make_unique<TestProbe>(path, match, parts);
}

TestProbe::TestProbe(QString path, const Match& match, const WindowParts& parts)
    : m_path(std::move(path)), m_match(match), m_parts(parts) {}

QString TestProbe::text() const {
    const MatchState& s = m_match.state();
    int shotAtOwn = 0;
    for (char c : s.ownField)
        shotAtOwn += c == CellHit || c == CellSunk ? 1 : 0;
    QString text;
    const auto put = [&text](const char* key, const QVariant& value) {
        text += QString::fromLatin1(key) + u'=' + value.toString() + u'\n';
    };
    const QPoint viewer = m_parts.viewer ? m_parts.viewer->mapToGlobal(QPoint(0, 0)) : QPoint();
    const LobbyWindow* lobby = m_parts.lobby;
    put("viewer", QStringLiteral("%1,%2").arg(viewer.x()).arg(viewer.y()));
    put("status", m_parts.status ? m_parts.status->text() : QString());
    put("turn", s.playerTurn);
    put("fight", int(s.fightStarted));
    put("inprogress", int(s.gameInProgress));
    put("won", int(s.gameWon));
    put("lost", int(s.gameLost));
    put("pending", int(s.scorePending));
    put("points", s.lastPoints);
    put("netmode", int(s.netMode));
    put("connected", int(s.netConnected));
    put("shots", s.playerShots);
    put("enemyhits", s.enemyHits);
    put("enemysunk", int(std::count_if(s.enemyFleet.begin(), s.enemyFleet.end(),
                                       [](const Ship& ship) { return ship.sunk != 0; })));
    put("ownhit", shotAtOwn);
    put("lobby", int(lobby && lobby->isVisible()));
    put("servers", lobby ? lobby->gameList->count() : 0);
    put("message", m_parts.messageWindow && m_parts.messageWindow->isVisible()
                       ? m_parts.messageWindow->messageText->text()
                       : QString());
    put("scores", int(m_parts.scores && m_parts.scores->isVisible()));
    put("frames", m_parts.viewer ? m_parts.viewer->framesDrawn() : 0);
    put("chat", m_parts.chat ? m_parts.chat->lastLine() : QString());
    put("matches", s.matchesStarted);
    // A kept match being watched: "none", "playing" or "paused", and the shots shown of all.
    const ReplayViewer* replay = m_parts.replay;
    const ReplayPlayer* watched = replay ? replay->player() : nullptr;
    put("replay", replay ? replay->stateWord() : QStringLiteral("none"));
    put("replayshot", watched ? QStringLiteral("%1/%2").arg(watched->shown()).arg(watched->shotCount())
                              : QStringLiteral("0/0"));
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
