#pragma once

// Shared pieces of the scene tests: the generated runtime folder as current
// directory, a match host that does nothing, a clock the test moves by hand,
// and a world built through both stages.

#include "game/IClock.h"
#include "game/IMatchHost.h"
#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/World.h"
#include "tests/support/NullMatchHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vtx::test {

inline bool enterRunDir() {
    const QString run = QStringLiteral(VTX_BINARY_DIR "/run");
    QDir::setCurrent(run);
    return QFile::exists(run + QStringLiteral("/DATA/ship2.jpg"));
}

class ManualClock final : public IClock {
public:
    std::int64_t now = 1'000'000;
    std::int64_t timeOfDayMs() override { return now % 86'400'000; }
    std::int64_t tickMs() override { return now; }
};

// Every request ignored but the placement preview, which goes to onPreview:
// the scene tests drive Boards and CameraFx directly.
class SilentHost : public NullMatchHost {
public:
    std::function<void()> onPreview;
    void showPlacementPreview() override {
        if (onPreview) onPreview();
    }
};

// A world after window creation and first activation, with a match to read.
struct BuiltWorld {
    QTemporaryDir startDir;
    ManualClock clock;
    SilentHost host;
    Match match{host, clock};
    World world;
    Boards boards{world, match.state()};

    BuiltWorld() {
        enterRunDir();
        host.onPreview = [this] { boards.showPlacementPreview(); };
        world.loadFonts();
        world.setLogoColor();
        world.buildScenery(startDir.path().toStdString());
        world.buildActivationStage(boards);
    }
};

inline int countKind(const SceneObject& parent, ObjectKind kind) {
    int n = 0;
    for (int i = 0; i < parent.count(); ++i)
        if (parent.children(i)->kind() == kind) ++n;
    return n;
}

} // namespace vtx::test
