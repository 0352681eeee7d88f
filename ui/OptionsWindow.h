#pragma once

// The options window (306 x 325, panel "data\panel4.jpg", cannot be dragged):
// the live store of the settings while the program runs. The rest of the game
// reads them from the controls: playerNameEdit->text(), manualBox->checked(),
// musicBox->checked(), levelBox->currentIndex() (-1: no level),
// and the levels effectsBar (effects) and musicBar (music), 0..60.
//
// Every activation (show) reloads the controls from "vtx.ini" under the host's
// startDir, resets the host's song index to the stored "Song", then captures
// the device volumes. Only Close stores the settings; leaving otherwise keeps
// the file. A failed store is shown in the message window.
//
// Show it with execModal() (returns when Close hides it).

#include "ui/SkinnedWindow.h"

class QLabel;
class QProgressBar;

namespace vtx {

class IOptionsHost;
class SkinCheckBox;
class SkinLineEdit;
class SkinButton;
class SkinComboBox;

class OptionsWindow : public SkinnedWindow {
    Q_OBJECT
public:
    // host may be null (nothing outside is touched); it must outlive the window.
    OptionsWindow(IOptionsHost* host, QWidget* mainWindow);

    void readOptions();

    QLabel* nameLabel = nullptr;
    SkinLineEdit* playerNameEdit = nullptr;
    SkinCheckBox* manualBox = nullptr;
    SkinCheckBox* soundBox = nullptr;
    SkinButton* effectsDownButton = nullptr;
    QLabel* effectsFrame = nullptr;
    QProgressBar* effectsBar = nullptr;
    SkinButton* effectsUpButton = nullptr;
    SkinCheckBox* musicBox = nullptr;
    SkinButton* musicDownButton = nullptr;
    QLabel* musicFrame = nullptr;
    QProgressBar* musicBar = nullptr;
    SkinButton* musicUpButton = nullptr;
    QLabel* levelLabel = nullptr;
    SkinComboBox* levelBox = nullptr;
    SkinButton* closeButton = nullptr;

    // Handlers, public so the game and tests can run them as the controls do.
    void closeClicked();
    void effectsDownClicked();
    void effectsUpClicked();
    void musicDownClicked();
    void musicUpClicked();
    void musicToggled();
    void boxPressed(); // shared by the three boxes (down and up)
    // Nothing to do: the field takes the focus itself.
    void playerNamePressed() {}

protected:
    void shown() override;

private:
    void buildControls(QWidget* mainWindow);
    void stepLevel(QProgressBar* bar, int delta, bool wave);

    IOptionsHost* m_host;
};

} // namespace vtx
