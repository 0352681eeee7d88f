#pragma once

// The window skins of data/: one naval look (dark blue steel, brass trim and
// rivets, a title strip across the top where the windows are dragged). Each
// leaves the places of its window's controls calm so the controls sit on it.

#include <QColor>
#include <QImage>
#include <QPoint>

namespace vtx::datagen::pic {

// Main window, 742 x 603: the 3D viewer's recess at (13, 42, 616 x 547) and
// a brass plate behind the menu button column at x 650, y 288..512.
QImage makeMainPanel();
// Message window and lobby, 306 x 184: a light plate for the black message
// text and the server list; pixel kLobbyListProbe is the list's background.
QImage makeMessagePanel();
// High-score (title "HighScores") and options (title "Options") windows,
// 306 x 325: a flat field holding the controls; pixel kFieldProbe is the
// background the check boxes and score rows take.
QImage makeScorePanel();
QImage makeOptionsPanel();

inline constexpr QPoint kLobbyListProbe{12, 40};
inline constexpr QPoint kFieldProbe{42, 42};

} // namespace vtx::datagen::pic
