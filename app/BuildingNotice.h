#pragma once

#include <QWidget>

namespace vtx {

// Shown by the play command while the main window is still being built: it
// says so plainly rather than pretending to be the game.
class BuildingNotice : public QWidget {
    Q_OBJECT
public:
    explicit BuildingNotice(QWidget* parent = nullptr);
};

} // namespace vtx
