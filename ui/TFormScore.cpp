#include "ui/TFormScore.h"

#include "files/DataPath.h"
#include "files/FileIo.h"
#include "files/GameFolders.h"
#include "files/TextEncoding.h"
#include "game/DataFiles.h"
#include "ui/IScoreHost.h"
#include "ui/SkinFont.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TOffice97Button.h"
#include "ui/TWispButton.h"
#include "ui/Translation.h"

#include <QLabel>
#include <QTime>

#include <random>

namespace vtx {

namespace {

// Seven 40-character lines with room for a sloppy editor's additions; a larger
// file is no table of ours and is left alone.
constexpr std::size_t kMaxScoreBytes = 64 * 1024;

} // namespace

TFormScore::TFormScore(IScoreHost* host, QWidget* mainWindow) : TSkinnedForm(nullptr), m_host(host) {
    FormCreate(mainWindow);
}

void TFormScore::FormCreate(QWidget* mainWindow) {
    setWindowTitle(tr("HighScores"));
    setFixedSize(306, 325);

    QFont rowFont(QStringLiteral("DejaVu Sans Mono"));
    rowFont.setPixelSize(12);
    rowFont.setStyleHint(QFont::Monospace);
    for (int n = 0; n < kScoreRows; ++n) {
        auto* row = new TOffice97Button(this);
        row->setGeometry(51, 48 + 24 * n, 201, 23);
        row->setFont(rowFont);
        row->SetTextColor(Qt::white);
        row->InactiveColor = QColor(128, 128, 128);
        row->setText(tr("noname"));
        connect(row, &TOffice97Button::mouseDown, this, &TFormScore::ob1MouseDown);
        ob[n] = row;
    }

    meEnterName = new TFlatEdit(this);
    meEnterName->setGeometry(53, 234, 162, 19);
    meEnterName->SetTextColor(Qt::black);
    meEnterName->setEnabled(false);

    labPoints = new QLabel(QStringLiteral("0"), this);
    QFont pointsFont = labPoints->font();
    pointsFont.setBold(true);
    pointsFont.setPixelSize(16);
    labPoints->setFont(pointsFont);
    QPalette pal = labPoints->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    labPoints->setPalette(pal);
    labPoints->setAttribute(Qt::WA_TranslucentBackground);
    labPoints->setGeometry(225, 232, 60, 20);

    elbtSaveResult = MakeFaceButton(this, tr(" Save"), 61, 280);
    elbtClose = MakeFaceButton(this, tr(" Close"), 173, 280);
    connect(elbtSaveResult, &TWispButton::clicked, this, &TFormScore::elbtSaveResultClick);
    connect(elbtClose, &TWispButton::clicked, this, &TFormScore::elbtCloseClick);
    // Enter saves a result waiting for its name, else closes; Esc closes.
    SetKeyButtons({elbtSaveResult, elbtClose}, elbtClose);

    // 1. Large-font caption offsets.
    if (!IsSmallFonts()) {
        for (TWispButton* b : {elbtSaveResult, elbtClose}) {
            b->SetXOffset(17);
            b->SetYOffset(6);
        }
    }
    // 2. Save starts switched off.
    disableSave();
    // 3. Position, panel, region.
    PlaceRelativeTo(mainWindow);
    LoadPanel(datafiles::kScorePanel, QSize(306, 325));
    if (TranslationActive()) RetitlePanel(windowTitle());
    SetOutline(Outline306(324));
    SetDragAnywhere();
    RebuildWindowRgn();
    // 4.-5. Rows blend into the panel; the table.
    const QColor blend = PanelPixel(42, 42);
    for (TOffice97Button* row : ob)
        row->SetColor(blend);
    m_scoreFile = resolveDataPath("hscore.dat", userRoot());
    LoadScores();
}

void TFormScore::SetScoreFile(const std::filesystem::path& path) {
    m_scoreFile = path;
    LoadScores();
}

void TFormScore::SetRandomSource(std::function<int(int)> randomBelow) {
    m_randomBelow = std::move(randomBelow);
}

void TFormScore::LoadScores() {
    const auto read = readFileBytes(m_scoreFile, kMaxScoreBytes);
    m_loadError = read.readError ? "the file cannot be read" : read.truncated ? "the file is too large" : "";
    m_table = read.exists && m_loadError.empty() ? parseScoreFile(read.bytes) : ScoreTable{};
    showCaptions();
}

void TFormScore::showCaptions() {
    // An empty row's "noname" is the table's, shown in the player's language.
    for (int n = 0; n < kScoreRows; ++n)
        ob[n]->setText(m_table.captions[n] == "noname"
                           ? tr("noname")
                           : QString::fromStdString(scoreCaptionForDisplay(m_table.captions[n])));
}

void TFormScore::disableSave() {
    SwitchButton(elbtSaveResult, false);
}

void TFormScore::FormActivate() {
    ob[0]->RemoveFocusLook();
    if (!m_host || !m_host->ScorePending()) return;
    meEnterName->setEnabled(true);
    meEnterName->setText(m_host->PlayerName());
    meEnterName->setFocus(Qt::OtherFocusReason);
    m_pendingPoints = m_host->LastPoints();
    labPoints->setText(QString::number(m_pendingPoints));
    labPoints->adjustSize();
    SwitchButton(elbtSaveResult, true);
    m_host->SetScorePending(false);
}

void TFormScore::AnalyzePoints() {
    const int points = m_host ? m_host->LastPoints() : m_pendingPoints;
    // UTF-8, cut where a whole character ends (TextEncoding.h).
    insertScore(m_table, cutUtf8(meEnterName->text().toStdString(), kScoreNameLength), points);
}

void TFormScore::elbtSaveResultClick() {
    disableSave();
    // The stored results come first: a file that could not be read at the
    // start may be readable now (its permission fixed); if not, it is kept.
    if (!m_loadError.empty()) {
        const ScoreTable thisSession = m_table;
        LoadScores();
        if (!m_loadError.empty()) m_table = thisSession;
    }
    AnalyzePoints();
    meEnterName->setEnabled(false);
    meEnterName->clear();
    // The padding generator is re-seeded from the time of day at every save.
    std::mt19937 generator(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay()));
    const std::function<int(int)> timeSeeded = [&generator](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(generator);
    };
    const std::string bytes = serializeScoreFile(m_table, m_randomBelow ? m_randomBelow : timeSeeded);
    showCaptions();
    const auto error = m_loadError.empty()
                           ? writeFileAtomic(m_scoreFile, bytes)
                           : "Can't save " + m_scoreFile.filename().string() + ": " + m_loadError;
    if (error)
        vtx::ShowFormMess(50,
                          tr("The high scores were not saved!") + QStringLiteral("\r\n") +
                              QString::fromStdString(*error),
                          true);
}

void TFormScore::elbtCloseClick() {
    close();
}

void TFormScore::FormClose() {
    disableSave();
    labPoints->setText(QStringLiteral("0"));
    labPoints->adjustSize();
    meEnterName->setEnabled(false);
    meEnterName->clear();
    m_pendingPoints = 0;
}

void TFormScore::ob1MouseDown() {
    for (TOffice97Button* row : ob)
        row->RemoveFocusLook();
}

} // namespace vtx
