#include "ui/OptionsWindow.h"

#include "files/OptionsFile.h"
#include "game/DataFiles.h"
#include "ui/IOptionsHost.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinFont.h"
#include "ui/SkinImages.h"
#include "ui/SkinLineEdit.h"
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

SkinCheckBox* checkBox(QWidget* parent, const QString& caption, int y) {
    auto* box = new SkinCheckBox(parent);
    box->setGeometry(48, y, 209, 20);
    box->setCaption(caption);
    QFont f = box->font();
    f.setPixelSize(11);
    f.setBold(true);
    box->setFont(f);
    box->setTextColor(Qt::white);
    return box;
}

SkinButton* volumeButton(QWidget* parent, const char* set, int x, int y) {
    auto* button = new SkinButton(parent);
    button->setGeometry(x, y, 25, 25);
    button->setFaces(set);
    button->setXOffset(20);
    button->setYOffset(8);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* volumeFrame(QWidget* parent, const char* name, int y) {
    auto* image = new QLabel(parent);
    image->setGeometry(72, y, 160, 25);
    image->setPixmap(QPixmap::fromImage(skinImage(name, SkinFallback::VolumeFrame, QSize(160, 25))));
    // The ticks are drawn for the bar's design size: they must grow with the window.
    image->setScaledContents(true);
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

OptionsWindow::OptionsWindow(IOptionsHost* host, QWidget* mainWindow) : SkinnedWindow(nullptr), m_host(host) {
    buildControls(mainWindow);
}

void OptionsWindow::buildControls(QWidget* mainWindow) {
    setWindowTitle(tr("Options"));
    setFixedSize(306, 325);

    nameLabel = whiteLabel(this, tr("Player Name:"), 48, 54);
    playerNameEdit = new SkinLineEdit(this);
    playerNameEdit->setGeometry(136, 50, 121, 19);
    playerNameEdit->setColorFlat(QColor(192, 192, 192));
    playerNameEdit->setColorBorder(QColor(128, 128, 128));
    // Dark letters: the grey ones all but vanished on the field's white.
    playerNameEdit->setTextColor(QColor(16, 20, 28));
    connect(playerNameEdit, &SkinLineEdit::mouseDown, this, &OptionsWindow::playerNamePressed);

    manualBox = checkBox(this, tr("Manual Ship Arrangement"), 74);
    soundBox = checkBox(this, tr("Sound ON/OFF"), 105);

    effectsDownButton = volumeButton(this, "low", 47, 130);
    effectsFrame = volumeFrame(this, "volume/effects", 130);
    effectsBar = levelBar(this, 138);
    effectsUpButton = volumeButton(this, "high", 232, 130);

    musicBox = checkBox(this, tr("Music ON/OFF"), 166);
    musicDownButton = volumeButton(this, "low", 47, 191);
    musicFrame = volumeFrame(this, "volume/music", 191);
    musicBar = levelBar(this, 199);
    musicUpButton = volumeButton(this, "high", 232, 191);

    levelLabel = whiteLabel(this, tr("Game Level:"), 48, 228);
    levelBox = new SkinComboBox(this);
    levelBox->setGeometry(128, 226, 129, 21);
    levelBox->addItems({tr("Easy"), tr("Normal"), tr("Hard"), tr("Admiral")});
    levelBox->setCurrentIndex(-1);
    // The list drops down in the window's dark colours, not as a white box.
    levelBox->setColor(QColor(36, 38, 46));
    {
        QPalette list = levelBox->view()->palette();
        list.setColor(QPalette::Text, QColor(230, 232, 238));
        levelBox->view()->setPalette(list);
    }

    closeButton = new SkinButton(this);
    closeButton->setGeometry(110, 280, 86, 24); // centred on its plate
    closeButton->setFaces("86x24");
    closeButton->setText(tr("Close"));
    closeButton->setXOffset(30);
    closeButton->setYOffset(7);
    closeButton->setSkinFont(enabledFont());
    closeButton->setFocusPolicy(Qt::TabFocus);

    // Tab walks the window top to bottom; Enter is Close (which stores), Esc
    // leaves without storing, as closing the window any other way does.
    const QList<QWidget*> order = {playerNameEdit,  manualBox,  soundBox,        effectsDownButton,
                                   effectsUpButton, musicBox,   musicDownButton, musicUpButton,
                                   levelBox,        closeButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setKeyButtons({closeButton}, nullptr);

    connect(closeButton, &SkinButton::clicked, this, &OptionsWindow::closeClicked);
    connect(effectsDownButton, &SkinButton::clicked, this, &OptionsWindow::effectsDownClicked);
    connect(effectsUpButton, &SkinButton::clicked, this, &OptionsWindow::effectsUpClicked);
    connect(musicDownButton, &SkinButton::clicked, this, &OptionsWindow::musicDownClicked);
    connect(musicUpButton, &SkinButton::clicked, this, &OptionsWindow::musicUpClicked);
    connect(musicBox, &SkinCheckBox::clicked, this, &OptionsWindow::musicToggled);
    for (SkinCheckBox* box : {manualBox, soundBox, musicBox}) {
        connect(box, &SkinCheckBox::mouseDown, this, &OptionsWindow::boxPressed);
        connect(box, &SkinCheckBox::mouseUp, this, &OptionsWindow::boxPressed);
    }

    // Large fonts move the caption up and left, so it stays on the face.
    if (!isSmallFonts()) {
        closeButton->setXOffset(26);
        closeButton->setYOffset(6);
    }
    // Over the main window, painted from its panel; the mask once every control exists.
    placeRelativeTo(mainWindow);
    loadPanel(datafiles::kOptionsPanel, QSize(306, 325));
    if (translationActive()) retitlePanel(windowTitle());
    setOutline(outline306(324));
    setNoDrag();
    rebuildWindowRgn();
    readOptions();
    // The boxes take the panel's colour, so they blend into it.
    const QColor blend = panelPixel(42, 42);
    for (SkinCheckBox* box : {manualBox, soundBox, musicBox})
        box->setColor(blend);
}

void OptionsWindow::readOptions() {
    if (!m_host) return;
    const StoredOptions o = readStoredOptions(m_host->startDir());
    playerNameEdit->setText(QString::fromStdString(o.playerName));
    // Setting the boxes from code raises no click: reading never switches music.
    manualBox->setChecked(o.shipsManualArranging);
    soundBox->setChecked(o.enableSound);
    musicBox->setChecked(o.enableMusic);
    m_host->setSongIndex(o.song);
    levelBox->setCurrentIndex(o.difficulty);
}

void OptionsWindow::shown() {
    readOptions();
    if (m_host) m_host->captureVolumes();
}

void OptionsWindow::closeClicked() {
    if (m_host) {
        m_host->setTurnDelay(1);
        StoredOptions o;
        o.playerName = playerNameEdit->text().toStdString();
        o.shipsManualArranging = manualBox->checked();
        o.enableSound = soundBox->checked();
        o.enableMusic = musicBox->checked();
        o.difficulty = levelBox->currentIndex();
        const auto error = saveStoredOptions(m_host->startDir(), o);
        m_host->setSoundOn(soundBox->checked());
        if (error) {
            close();
            vtx::showMessage(50,
                             tr("The options were not saved!") + QStringLiteral("\r\n") +
                                 QString::fromStdString(*error),
                             true);
            return;
        }
    }
    close();
}

void OptionsWindow::stepLevel(QProgressBar* bar, int delta, bool wave) {
    bar->setValue(std::clamp(bar->value() + delta, bar->minimum(), bar->maximum()));
    if (!m_host) return;
    if (wave)
        m_host->setWaveVolumeFromLevel(bar->value());
    else
        m_host->setMidiVolumeFromLevel(bar->value());
}

void OptionsWindow::effectsDownClicked() {
    stepLevel(effectsBar, -kLevelStep, true);
}
void OptionsWindow::effectsUpClicked() {
    stepLevel(effectsBar, kLevelStep, true);
}
void OptionsWindow::musicDownClicked() {
    stepLevel(musicBar, -kLevelStep, false);
}
void OptionsWindow::musicUpClicked() {
    stepLevel(musicBar, kLevelStep, false);
}

void OptionsWindow::musicToggled() {
    if (m_host) m_host->musicSwitchClicked(musicBox->checked());
}

void OptionsWindow::boxPressed() {
    levelBox->setFocus(Qt::OtherFocusReason);
}

} // namespace vtx
