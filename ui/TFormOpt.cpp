#include "ui/TFormOpt.h"

#include "files/OptionsFile.h"
#include "game/DataFiles.h"
#include "ui/IOptionsHost.h"
#include "ui/SkinFont.h"
#include "ui/SkinImages.h"
#include "ui/TBitCheckBox.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"
#include "ui/Translation.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace vtx {

namespace {

constexpr int kLevelStep = 3;

QLabel* whiteLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(11);
    f.setBold(true);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TBitCheckBox* checkBox(QWidget* parent, const QString& caption, int y) {
    auto* box = new TBitCheckBox(parent);
    box->setGeometry(48, y, 209, 20);
    box->SetCaption(caption);
    QFont f = box->font();
    f.setPixelSize(11);
    f.setBold(true);
    box->setFont(f);
    box->SetTextColor(Qt::white);
    return box;
}

TWispButton* volumeButton(QWidget* parent, const char* set, int x, int y) {
    auto* button = new TWispButton(parent);
    button->setGeometry(x, y, 25, 25);
    button->SetFaces(set);
    button->SetXOffset(20);
    button->SetYOffset(8);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* volumeFrame(QWidget* parent, const char* name, int y) {
    auto* image = new QLabel(parent);
    image->setGeometry(72, y, 160, 25);
    image->setPixmap(QPixmap::fromImage(skinImage(name, SkinFallback::VolumeFrame, QSize(160, 25))));
    return image;
}

QProgressBar* levelBar(QWidget* parent, int y) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(82, y, 140, 9);
    bar->setRange(0, 60);
    bar->setValue(30);
    bar->setTextVisible(false);
    bar->setStyleSheet(QStringLiteral("QProgressBar { border: 0; background: rgb(30, 30, 34); }"
                                      "QProgressBar::chunk { background: rgb(190, 188, 190); }"));
    return bar;
}

} // namespace

TFormOpt::TFormOpt(IOptionsHost* host, QWidget* mainWindow) : TSkinnedForm(nullptr), m_host(host) {
    FormCreate(mainWindow);
}

void TFormOpt::FormCreate(QWidget* mainWindow) {
    setWindowTitle(tr("Options"));
    setFixedSize(306, 325);

    Label1 = whiteLabel(this, tr("Player Name:"), 48, 54);
    edPlayerName = new TFlatEdit(this);
    edPlayerName->setGeometry(136, 50, 121, 19);
    edPlayerName->SetColorFlat(QColor(192, 192, 192));
    edPlayerName->SetColorBorder(QColor(128, 128, 128));
    // Dark letters: the grey ones all but vanished on the field's white.
    edPlayerName->SetTextColor(QColor(16, 20, 28));
    connect(edPlayerName, &TFlatEdit::mouseDown, this, &TFormOpt::edPlayerNameMouseDown);

    bcbManual = checkBox(this, tr("Manual Ship Arrangement"), 74);
    bcbEnableSounds = checkBox(this, tr("Sound ON/OFF"), 105);

    btSoundLow = volumeButton(this, "low", 47, 130);
    Image1 = volumeFrame(this, "volume/effects", 130);
    ProgressBar2 = levelBar(this, 138);
    btSoundHigh = volumeButton(this, "high", 232, 130);

    bcbEnableMusic = checkBox(this, tr("Music ON/OFF"), 166);
    btMusicLow = volumeButton(this, "low", 47, 191);
    Image2 = volumeFrame(this, "volume/music", 191);
    ProgressBar1 = levelBar(this, 199);
    btMusicHigh = volumeButton(this, "high", 232, 191);

    Label4 = whiteLabel(this, tr("Game Level:"), 48, 228);
    cbDifficulty = new TWispComboBox(this);
    cbDifficulty->setGeometry(128, 226, 129, 21);
    cbDifficulty->addItems({tr("Easy"), tr("Normal"), tr("Hard")});
    cbDifficulty->setCurrentIndex(-1);
    // The list drops down in the window's dark colours, not as a white box.
    cbDifficulty->SetColor(QColor(36, 38, 46));
    {
        QPalette list = cbDifficulty->view()->palette();
        list.setColor(QPalette::Text, QColor(230, 232, 238));
        cbDifficulty->view()->setPalette(list);
    }

    elbtClose = new TWispButton(this);
    elbtClose->setGeometry(64, 280, 86, 24);
    elbtClose->SetFaces("86x24");
    elbtClose->SetText(tr("Close"));
    elbtClose->SetXOffset(30);
    elbtClose->SetYOffset(7);
    elbtClose->SetFont(EnabledFont());
    elbtClose->setFocusPolicy(Qt::TabFocus);

    // Tab walks the window top to bottom; Enter is Close (which stores), Esc
    // leaves without storing, as closing the window any other way does.
    const QList<QWidget*> order = {edPlayerName,   bcbManual,  bcbEnableSounds, btSoundLow,   btSoundHigh,
                                   bcbEnableMusic, btMusicLow, btMusicHigh,     cbDifficulty, elbtClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    SetKeyButtons({elbtClose}, nullptr);

    connect(elbtClose, &TWispButton::clicked, this, &TFormOpt::elbtCloseClick);
    connect(btSoundLow, &TWispButton::clicked, this, &TFormOpt::btSoundLowClick);
    connect(btSoundHigh, &TWispButton::clicked, this, &TFormOpt::btSoundHighClick);
    connect(btMusicLow, &TWispButton::clicked, this, &TFormOpt::btMusicLowClick);
    connect(btMusicHigh, &TWispButton::clicked, this, &TFormOpt::btMusicHighClick);
    connect(bcbEnableMusic, &TBitCheckBox::clicked, this, &TFormOpt::bcbEnableMusicClick);
    for (TBitCheckBox* box : {bcbManual, bcbEnableSounds, bcbEnableMusic}) {
        connect(box, &TBitCheckBox::mouseDown, this, &TFormOpt::bcbManualMouseDown);
        connect(box, &TBitCheckBox::mouseUp, this, &TFormOpt::bcbManualMouseDown);
    }

    // 1. Large-font caption offset.
    if (!IsSmallFonts()) {
        elbtClose->SetXOffset(26);
        elbtClose->SetYOffset(6);
    }
    // 2.-4. Position, panel, region.
    PlaceRelativeTo(mainWindow);
    LoadPanel(datafiles::kOptionsPanel, QSize(306, 325));
    if (TranslationActive()) RetitlePanel(windowTitle());
    SetOutline(Outline306(324));
    SetNoDrag();
    RebuildWindowRgn();
    // 5. Settings.
    ReadOptions();
    // 6. The boxes blend into the panel.
    const QColor blend = PanelPixel(42, 42);
    for (TBitCheckBox* box : {bcbManual, bcbEnableSounds, bcbEnableMusic})
        box->SetColor(blend);
}

void TFormOpt::ReadOptions() {
    if (!m_host) return;
    const StoredOptions o = readStoredOptions(m_host->StartDir());
    edPlayerName->setText(QString::fromStdString(o.playerName));
    // Setting the boxes from code raises no click: reading never switches music.
    bcbManual->SetChecked(o.shipsManualArranging);
    bcbEnableSounds->SetChecked(o.enableSound);
    bcbEnableMusic->SetChecked(o.enableMusic);
    m_host->SetSongIndex(o.song);
    cbDifficulty->setCurrentIndex(o.difficulty);
}

void TFormOpt::FormActivate() {
    ReadOptions();
    if (m_host) m_host->CaptureVolumes();
}

void TFormOpt::elbtCloseClick() {
    if (m_host) {
        m_host->SetTurnDelay(1);
        StoredOptions o;
        o.playerName = edPlayerName->text().toStdString();
        o.shipsManualArranging = bcbManual->Checked();
        o.enableSound = bcbEnableSounds->Checked();
        o.enableMusic = bcbEnableMusic->Checked();
        o.difficulty = cbDifficulty->currentIndex();
        const auto error = saveStoredOptions(m_host->StartDir(), o);
        m_host->SetSoundOn(bcbEnableSounds->Checked());
        if (error) {
            close();
            vtx::ShowFormMess(50,
                              tr("The options were not saved!") + QStringLiteral("\r\n") +
                                  QString::fromStdString(*error),
                              true);
            return;
        }
    }
    close();
}

void TFormOpt::stepLevel(QProgressBar* bar, int delta, bool wave) {
    bar->setValue(std::clamp(bar->value() + delta, bar->minimum(), bar->maximum()));
    if (!m_host) return;
    if (wave)
        m_host->SetWaveVolumeFromLevel(bar->value());
    else
        m_host->SetMidiVolumeFromLevel(bar->value());
}

void TFormOpt::btSoundLowClick() {
    stepLevel(ProgressBar2, -kLevelStep, true);
}
void TFormOpt::btSoundHighClick() {
    stepLevel(ProgressBar2, kLevelStep, true);
}
void TFormOpt::btMusicLowClick() {
    stepLevel(ProgressBar1, -kLevelStep, false);
}
void TFormOpt::btMusicHighClick() {
    stepLevel(ProgressBar1, kLevelStep, false);
}

void TFormOpt::bcbEnableMusicClick() {
    if (m_host) m_host->MusicSwitchClicked(bcbEnableMusic->Checked());
}

void TFormOpt::bcbManualMouseDown() {
    cbDifficulty->setFocus(Qt::OtherFocusReason);
}

} // namespace vtx
