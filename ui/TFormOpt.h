#pragma once

// The options window (306 x 325, panel "data\panel4.jpg", cannot be dragged):
// the live store of the settings while the program runs. The rest of the game
// reads them from the controls: edPlayerName->text(), bcbManual->Checked(),
// bcbEnableMusic->Checked(), cbDifficulty->currentIndex() (-1: no level),
// and the levels ProgressBar2 (effects) and ProgressBar1 (music), 0..60.
//
// Every activation (show) reloads the controls from "vtx.ini" under the host's
// StartDir, resets the host's song index to the stored "Song", then captures
// the device volumes. Only Close stores the settings; leaving otherwise keeps
// the file. A failed store is shown in the message window.
//
// Show it with ExecModal() (returns when Close hides it).

#include "ui/TSkinnedForm.h"

class QLabel;
class QProgressBar;

namespace vtx {

class IOptionsHost;
class TBitCheckBox;
class TFlatEdit;
class TWispButton;
class TWispComboBox;

class TFormOpt : public TSkinnedForm {
    Q_OBJECT
public:
    // host may be null (nothing outside is touched); it must outlive the window.
    TFormOpt(IOptionsHost* host, QWidget* mainWindow);

    void ReadOptions();

    QLabel* Label1 = nullptr;
    TFlatEdit* edPlayerName = nullptr;
    TBitCheckBox* bcbManual = nullptr;
    TBitCheckBox* bcbEnableSounds = nullptr;
    TWispButton* btSoundLow = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    TWispButton* btSoundHigh = nullptr;
    TBitCheckBox* bcbEnableMusic = nullptr;
    TWispButton* btMusicLow = nullptr;
    QLabel* Image2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    TWispButton* btMusicHigh = nullptr;
    QLabel* Label4 = nullptr;
    TWispComboBox* cbDifficulty = nullptr;
    TWispButton* elbtClose = nullptr;

    // Handlers, public so the game and tests can run them as the controls do.
    void elbtCloseClick();
    void btSoundLowClick();
    void btSoundHighClick();
    void btMusicLowClick();
    void btMusicHighClick();
    void bcbEnableMusicClick();
    void bcbManualMouseDown(); // shared by the three boxes (down and up)
    void edPlayerNameMouseDown() {}

protected:
    void FormActivate() override;

private:
    void FormCreate(QWidget* mainWindow);
    void stepLevel(QProgressBar* bar, int delta, bool wave);

    IOptionsHost* m_host;
};

} // namespace vtx
