#pragma once

// What the main window is made of, as the adapters around it (MatchHost,
// LanHost, OptionsHost, ScoreHost, TestProbe) need it. MainWindow fills it while
// it creates its components and receives its windows; the adapters only read
// it and own nothing it points to. A pointer is null until its part exists
// (the windows come after the main window; the sound may fail to start).

#include "game/IMatchPresenter.h"

#include <QString>

#include <array>
#include <filesystem>
#include <functional>

class QLabel;
class QTimer;
class QWidget;

namespace vtx {

class ChatPanel;
class MusicPlayer;
class PlayAgain;
class ReplayKeeper;
class ReplayViewer;
class SoundSystem;
class MessageWindow;
class OptionsWindow;
class ScoresWindow;
class SceneView;
class SkinButton;
class LobbyWindow;
class VolumeControl;

struct WindowParts {
    QWidget* window = nullptr; // the main window itself
    SceneView* viewer = nullptr;
    QLabel* status = nullptr;
    std::array<SkinButton*, 5> menuButtons{}; // indexed by MenuButton
    QTimer* turnTimer = nullptr;
    QTimer* tickTimer = nullptr;

    MessageWindow* messageWindow = nullptr;
    OptionsWindow* options = nullptr;
    ScoresWindow* scores = nullptr;
    LobbyWindow* lobby = nullptr;
    ChatPanel* chat = nullptr; // the LAN chat
    PlayAgain* playAgain = nullptr;
    ReplayKeeper* keeper = nullptr; // keeps every match played
    ReplayViewer* replay = nullptr; // watches a kept match

    SoundSystem* sound = nullptr;
    MusicPlayer* music = nullptr;
    VolumeControl* volume = nullptr;

    // The player's folder: options, scores, LAN clients, the song position.
    std::filesystem::path startDir;

    SkinButton* button(MenuButton which) const { return menuButtons[std::size_t(which)]; }
    // The player's name as the options window holds it now (empty before it exists).
    QString playerName() const;
    // The message window at top with a text already in the player's
    // language; a modal one waits for Ok.
    void showMessage(int top, const QString& text, bool modal) const;
    // The same without a wait, always with its Ok button: for messages from
    // the middle of the rules (a refused send).
    void showNotice(int top, const QString& text) const;
    // A modal message that does not wait: it returns at once, and then runs
    // once the player has closed it. For the messages the rules show, which
    // must never run the event loop inside a rule.
    void showMessageThen(int top, const QString& text, std::function<void()> then) const;
};

} // namespace vtx
