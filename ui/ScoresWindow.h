#pragma once

// The high-score window (306 x 325, panel "data\panel3.jpg", dragged from any
// point of its picture): shows the results of "hscore.dat" and, when a won
// game is pending at activation, lets the player enter it. Only rows that hold
// a result are shown (a line says so when none does); the name field, the
// points and Save only while a result waits to be saved, Close alone centred
// otherwise.
//
// The table is loaded once at creation from "hscore.dat" in the player's
// folder (userRoot(), the main window's startDir) and kept in memory; Save inserts the pending result and
// rewrites the whole file atomically with fresh random padding. A failed save is shown in the message window;
// the table in memory and on screen keeps the entry. A file that is there but could not be read (no
// permission, an I/O error, a folder of that name, too large to be a table) shows an empty table and is never
// overwritten: Save tries to read it again and, failing, says so.
//
// A second page lists the last matches kept in the "replays" folder
// (files/ReplayFolder.h), newest first, each with Watch; a file that cannot be
// shown is listed by its name as unreadable. The button at the bottom left
// turns the pages; the page of the best results comes first at every show,
// and while a result waits for its name the button is away. Watch asks the
// host (IScoreHost::watchReplay) after the window has closed; while the host
// does not allow it (a match runs) the list shows with Watch greyed.
//
// Show it with execModal(); Close hides it.

#include "files/HighScoreFile.h"
#include "files/ReplayFolder.h"
#include "ui/SkinnedWindow.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QLabel;

namespace vtx {

class IScoreHost;
class SkinLineEdit;
class FlatButton;
class SkinButton;
class ReplayListView;

class ScoresWindow : public SkinnedWindow {
    Q_OBJECT
public:
    // host may be null (viewing only); it must outlive the window.
    ScoresWindow(IScoreHost* host, QWidget* mainWindow);

    std::array<FlatButton*, kScoreRows> rowButtons{}; // the table's rows, top to bottom
    SkinLineEdit* nameEdit = nullptr;
    QLabel* pointsLabel = nullptr;
    SkinButton* saveButton = nullptr;
    SkinButton* closeButton = nullptr;
    QLabel* emptyLabel = nullptr;        // in the rows' place while the table holds no result
    FlatButton* pageButton = nullptr;    // turns to the other page
    ReplayListView* matchList = nullptr; // the second page

    // Where the table is read and written; default "hscore.dat" under the
    // player's folder at creation. Setting it reloads the table.
    void setScoreFile(const std::filesystem::path& path);
    // Where the kept matches are; default replayFolder() at creation.
    void setReplayFolder(const std::filesystem::path& folder);
    // The page of the kept matches (true) or of the best results; reads the
    // folder again each time it turns to the matches.
    void showMatchesPage(bool matches);
    bool matchesPageShown() const { return m_matchesPage; }
    // The files the list shows, in its order.
    const std::vector<ReplayListing>& listing() const { return m_listing; }
    // randomBelow(n) in 0..n-1 for the padding; when none is set, a generator
    // seeded from the time of day at each save.
    void setRandomSource(std::function<int(int)> randomBelow);

    void loadScores();
    // Puts the waiting result (its points, the name typed) into the table in
    // memory; Save does it, then writes the file.
    void insertPendingScore();
    void saveClicked();
    void closeClicked();
    void rowPressed();
    void pageClicked();
    void watchClicked(int index);

protected:
    void shown() override;
    void closing() override;

private:
    void buildControls(QWidget* mainWindow);
    void showCaptions();
    void disableSave();
    // Shows the entry controls while a result waits, and Close where it belongs.
    void showEntry(bool entering);
    void loadMatches();

    IScoreHost* m_host;
    ScoreTable m_table;
    std::filesystem::path m_scoreFile;
    std::function<int(int)> m_randomBelow;
    std::string m_loadError; // why the file could not be read; empty when it could
    int m_pendingPoints = 0;
    std::filesystem::path m_replayFolder;
    std::vector<ReplayListing> m_listing;
    bool m_matchesPage = false;
};

} // namespace vtx
