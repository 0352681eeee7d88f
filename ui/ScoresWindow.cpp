#include "ui/ScoresWindow.h"

#include "files/DataPath.h"
#include "files/FileIo.h"
#include "files/GameFolders.h"
#include "files/TextEncoding.h"
#include "game/DataFiles.h"
#include "ui/FlatButton.h"
#include "ui/IScoreHost.h"
#include "ui/MessageWindow.h"
#include "ui/ReplayListView.h"
#include "ui/ReplayTexts.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinLineEdit.h"
#include "ui/Translation.h"

#include <QLabel>
#include <QTime>

#include <random>

namespace vtx {

namespace {

// Seven 40-character lines with room for a sloppy editor's additions; a larger
// file is no table of ours and is left alone.
constexpr std::size_t kMaxScoreBytes = 64 * 1024;

// The bottom left of the lower frame, beside Close where it stands alone.
const QRect kPageButton(48, 281, 64, 22);

} // namespace

ScoresWindow::ScoresWindow(IScoreHost* host, QWidget* mainWindow) : SkinnedWindow(nullptr), m_host(host) {
    buildControls(mainWindow);
}

void ScoresWindow::buildControls(QWidget* mainWindow) {
    setWindowTitle(tr("HighScores"));
    setFixedSize(306, 325);

    QFont rowFont(QStringLiteral("DejaVu Sans Mono"));
    rowFont.setPixelSize(12);
    rowFont.setStyleHint(QFont::Monospace);
    for (int n = 0; n < kScoreRows; ++n) {
        auto* row = new FlatButton(this);
        row->setGeometry(51, 48 + 24 * n, 201, 23);
        row->setFont(rowFont);
        row->setTextColor(Qt::white);
        row->inactiveColor = QColor(128, 128, 128);
        connect(row, &FlatButton::mouseDown, this, &ScoresWindow::rowPressed);
        rowButtons[n] = row;
    }

    nameEdit = new SkinLineEdit(this);
    nameEdit->setGeometry(53, 234, 162, 19);
    nameEdit->setTextColor(Qt::black);
    nameEdit->setEnabled(false);

    pointsLabel = new QLabel(QStringLiteral("0"), this);
    QFont pointsFont = pointsLabel->font();
    pointsFont.setBold(true);
    pointsFont.setPixelSize(16);
    pointsLabel->setFont(pointsFont);
    QPalette pal = pointsLabel->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pointsLabel->setPalette(pal);
    pointsLabel->setAttribute(Qt::WA_TranslucentBackground);
    pointsLabel->setGeometry(225, 232, 60, 20);

    emptyLabel = new QLabel(tr("No results yet.\nWin a game to enter the table."), this);
    emptyLabel->setGeometry(51, 48, 201, 167);
    emptyLabel->setAlignment(Qt::AlignCenter);
    emptyLabel->setWordWrap(true);
    QFont emptyFont = emptyLabel->font();
    emptyFont.setPixelSize(12);
    emptyFont.setBold(true);
    emptyLabel->setFont(emptyFont);
    emptyLabel->setPalette(pal);
    emptyLabel->setAttribute(Qt::WA_TranslucentBackground);

    // The second page: the kept matches in the inner frame.
    matchList = new ReplayListView(this);
    matchList->setGeometry(34, 40, 238, 224);
    QFont listFont = matchList->font();
    listFont.setPixelSize(11);
    matchList->setFont(listFont);
    matchList->setEmptyText(tr("No match kept yet.\nEvery match you play is kept here."));
    matchList->setWatchCaption(tr("Watch"));
    matchList->hide();
    connect(matchList, &ReplayListView::watchClicked, this, &ScoresWindow::watchClicked);

    pageButton = new FlatButton(this);
    pageButton->setGeometry(kPageButton);
    pageButton->setTextColor(Qt::white);
    {
        // One font for both captions, the largest at which the longer fits.
        QFont f = rowFont;
        f.setFamily(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setBold(true);
        for (int pixels = 11; pixels > 6; --pixels) {
            f.setPixelSize(pixels);
            const QFontMetrics fm(f);
            if (std::max(fm.horizontalAdvance(tr("Matches")), fm.horizontalAdvance(tr("Best"))) <=
                kPageButton.width() - 6)
                break;
        }
        pageButton->setFont(f);
    }
    pageButton->setText(tr("Matches"));
    connect(pageButton, &FlatButton::clicked, this, &ScoresWindow::pageClicked);

    saveButton = makeFaceButton(this, tr(" Save"), 61, 280);
    closeButton = makeFaceButton(this, tr(" Close"), 173, 280);
    connect(saveButton, &SkinButton::clicked, this, &ScoresWindow::saveClicked);
    connect(closeButton, &SkinButton::clicked, this, &ScoresWindow::closeClicked);
    // Enter saves a result waiting for its name, else closes; Esc closes.
    setKeyButtons({saveButton, closeButton}, closeButton);

    // Large fonts move the captions up and left, so they stay on the faces.
    if (!isSmallFonts()) {
        for (SkinButton* b : {saveButton, closeButton}) {
            b->setXOffset(17);
            b->setYOffset(6);
        }
    }
    // Save starts switched off, and with it the entry.
    disableSave();
    showEntry(false);
    // Scaling puts every control back at its first place: Close too.
    onScaled = [this](double) { showEntry(saveButton->isEnabled()); };
    // Over the main window, painted from its panel; the mask once every control exists.
    placeRelativeTo(mainWindow);
    loadPanel(datafiles::kScorePanel, QSize(306, 325));
    if (translationActive()) retitlePanel(windowTitle());
    setOutline(outline306(324));
    setDragAnywhere();
    rebuildWindowRgn();
    // The rows take the panel's colour, so they blend into it.
    const QColor blend = panelPixel(42, 42);
    for (FlatButton* row : rowButtons)
        row->setColor(blend);
    pageButton->setColor(panelPixel(kPageButton.x() - 2, kPageButton.y() + 2));
    m_scoreFile = resolveDataPath("hscore.dat", userRoot());
    m_replayFolder = replayFolder();
    loadScores();
}

void ScoresWindow::setReplayFolder(const std::filesystem::path& folder) {
    m_replayFolder = folder;
    if (m_matchesPage) loadMatches();
}

void ScoresWindow::loadMatches() {
    m_listing = readReplayFolder(m_replayFolder);
    std::vector<ReplayListEntry> entries;
    entries.reserve(m_listing.size());
    for (const ReplayListing& file : m_listing) {
        ReplayListEntry e;
        if (!file.read.ok()) {
            e.readable = false;
            e.opponent = QString::fromStdString(file.path.filename().string());
            e.date = tr("unreadable");
        } else {
            const Replay& r = file.read.replay;
            e.opponent = ReplayTexts::opponent(r);
            e.result = ReplayTexts::end(r);
            e.tone = r.end == ReplayEnd::Won    ? ReplayListEntry::Tone::Won
                     : r.end == ReplayEnd::Lost ? ReplayListEntry::Tone::Lost
                                                : ReplayListEntry::Tone::Other;
            e.date = ReplayTexts::date(r);
            e.shots = ReplayTexts::shots(int(r.shots.size()));
        }
        entries.push_back(std::move(e));
    }
    matchList->setEntries(std::move(entries));
    matchList->setWatchEnabled(m_host && m_host->canWatch());
    matchList->setToolTip(matchList->watchEnabled() ? QString()
                                                    : tr("Watch from the menu, when no match runs."));
}

void ScoresWindow::showMatchesPage(bool matches) {
    m_matchesPage = matches;
    if (matches) loadMatches();
    matchList->setVisible(matches);
    showCaptions();
    pageButton->setText(matches ? tr("Best") : tr("Matches"));
    // The panel names the page.
    retitlePanel(matches ? tr("Last Matches") : windowTitle());
    if (matches) matchList->setFocus(Qt::OtherFocusReason);
}

void ScoresWindow::pageClicked() {
    showMatchesPage(!m_matchesPage);
}

void ScoresWindow::watchClicked(int index) {
    if (!m_host || !m_host->canWatch() || index < 0 || index >= int(m_listing.size())) return;
    const ReplayListing& file = m_listing[std::size_t(index)];
    if (!file.read.ok()) return;
    const Replay replay = file.read.replay; // the list goes when the window closes
    close();
    m_host->watchReplay(replay);
}

void ScoresWindow::setScoreFile(const std::filesystem::path& path) {
    m_scoreFile = path;
    loadScores();
}

void ScoresWindow::setRandomSource(std::function<int(int)> randomBelow) {
    m_randomBelow = std::move(randomBelow);
}

void ScoresWindow::loadScores() {
    const auto read = readFileBytes(m_scoreFile, kMaxScoreBytes);
    m_loadError = read.readError ? "the file cannot be read" : read.truncated ? "the file is too large" : "";
    m_table = read.exists && m_loadError.empty() ? parseScoreFile(read.bytes) : ScoreTable{};
    showCaptions();
}

void ScoresWindow::showCaptions() {
    // A row without a name or points is a place for a result to come, not
    // a result: it is not shown. Rows hold results from the top down.
    bool any = false;
    for (int n = 0; n < kScoreRows; ++n) {
        const bool result =
            m_table.points[n] != 0 || m_table.names[n].find_first_not_of(' ') != std::string::npos;
        rowButtons[n]->setText(result ? QString::fromStdString(scoreCaptionForDisplay(m_table.captions[n]))
                                      : QString());
        rowButtons[n]->setVisible(result && !m_matchesPage);
        any = any || result;
    }
    emptyLabel->setVisible(!any && !m_matchesPage);
}

void ScoresWindow::showEntry(bool entering) {
    pageButton->setVisible(!entering);
    nameEdit->setVisible(entering);
    pointsLabel->setVisible(entering);
    saveButton->setVisible(entering);
    closeButton->setGeometry(scale().toWindow(QRect(entering ? 173 : (306 - 71) / 2, 280, 71, 24)));
}

void ScoresWindow::disableSave() {
    switchButton(saveButton, false);
}

void ScoresWindow::shown() {
    if (m_matchesPage) showMatchesPage(false);
    rowButtons[0]->removeFocusLook();
    pageButton->removeFocusLook();
    if (!m_host || !m_host->scorePending()) return;
    nameEdit->setEnabled(true);
    nameEdit->setText(m_host->playerName());
    nameEdit->setFocus(Qt::OtherFocusReason);
    m_pendingPoints = m_host->lastPoints();
    pointsLabel->setText(QString::number(m_pendingPoints));
    pointsLabel->adjustSize();
    switchButton(saveButton, true);
    showEntry(true);
    m_host->setScorePending(false);
}

void ScoresWindow::insertPendingScore() {
    const int points = m_host ? m_host->lastPoints() : m_pendingPoints;
    // UTF-8, cut where a whole character ends (TextEncoding.h).
    insertScore(m_table, cutUtf8(nameEdit->text().toStdString(), kScoreNameLength), points);
}

void ScoresWindow::saveClicked() {
    disableSave();
    // The stored results come first: a file that could not be read at the
    // start may be readable now (its permission fixed); if not, it is kept.
    if (!m_loadError.empty()) {
        const ScoreTable thisSession = m_table;
        loadScores();
        if (!m_loadError.empty()) m_table = thisSession;
    }
    insertPendingScore();
    nameEdit->setEnabled(false);
    nameEdit->clear();
    showEntry(false);
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
        vtx::showMessage(50,
                         tr("The high scores were not saved!") + QStringLiteral("\r\n") +
                             QString::fromStdString(*error),
                         true);
}

void ScoresWindow::closeClicked() {
    close();
}

void ScoresWindow::closing() {
    disableSave();
    pointsLabel->setText(QStringLiteral("0"));
    pointsLabel->adjustSize();
    nameEdit->setEnabled(false);
    nameEdit->clear();
    showEntry(false);
    m_pendingPoints = 0;
}

void ScoresWindow::rowPressed() {
    for (FlatButton* row : rowButtons)
        row->removeFocusLook();
}

} // namespace vtx
