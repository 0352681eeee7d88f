#include "files/FileIo.h"

#include "../support/TempDir.h"
#include "files/DataPath.h"
#include "files/GameFolders.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace vtx {
namespace {

TEST(FileIo, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    test::TempDir dir;
    dir.write("hscore.dat", "old");
    ASSERT_FALSE(writeFileAtomic(dir.path() / "hscore.dat", "new contents"));
    EXPECT_EQ(dir.read("hscore.dat"), "new contents");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hscore.dat.tmp"));
}

TEST(FileIo, FailedWriteIsReportedAndTheOldFileStaysWhole) {
    test::TempDir dir;
    // The parent is a regular file: nothing can be created below it.
    dir.write("notafolder", "x");
    const auto error = writeFileAtomic(dir.path() / "notafolder" / "vtx.ini", "data");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("vtx.ini"), std::string::npos);

    // The temporary's place is taken by a folder with contents: the write
    // cannot happen, and the old file is untouched.
    dir.write("vtx.ini", "[Options]\r\nPlayerName=Old\r\n");
    std::filesystem::create_directories(dir.path() / "vtx.ini.tmp" / "blocker");
    ASSERT_TRUE(writeFileAtomic(dir.path() / "vtx.ini", "[Options]\r\nPlayerName=New\r\n"));
    EXPECT_EQ(dir.read("vtx.ini"), "[Options]\r\nPlayerName=Old\r\n");
}

// A save that the disk did not take (fsync or close failing, as on a full or
// vanished disk) is a failure, and the old file stays whole.
TEST(FileIo, AFailingSyncOrCloseIsAFailedSave) {
    test::TempDir dir;
    dir.write("hscore.dat", "old");
    FileSyscalls& sys = fileSyscalls();
    const FileSyscalls real = sys;
    sys.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    const auto syncError = writeFileAtomic(dir.path() / "hscore.dat", "new");
    sys = real;
    sys.close = [](int fd) {
        ::close(fd);
        errno = ENOSPC;
        return -1;
    };
    const auto closeError = writeFileAtomic(dir.path() / "hscore.dat", "new");
    sys = real;
    ASSERT_TRUE(syncError);
    ASSERT_TRUE(closeError);
    EXPECT_NE(syncError->find("hscore.dat"), std::string::npos) << *syncError;
    EXPECT_NE(closeError->find(std::strerror(ENOSPC)), std::string::npos) << *closeError;
    EXPECT_EQ(dir.read("hscore.dat"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hscore.dat.tmp"));
}

TEST(FileIo, ASaveKeepsPermissionsAndWritesThroughALink) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    dir.write("vtx.ini", "old");
    fs::permissions(dir.path() / "vtx.ini", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_FALSE(writeFileAtomic(dir.path() / "vtx.ini", "new"));
    EXPECT_EQ(fs::status(dir.path() / "vtx.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(dir.path() / "vtx.ini", fs::perms::owner_read | fs::perms::owner_write |
                                                fs::perms::group_read | fs::perms::others_read);
    ASSERT_FALSE(writeFileAtomic(dir.path() / "vtx.ini", "newer"));
    EXPECT_EQ(fs::status(dir.path() / "vtx.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);

    // hscore.dat -> shared/scores.dat (relative): the link stays, the target changes.
    fs::create_directories(dir.path() / "shared");
    dir.write("shared/scores.dat", "old");
    fs::create_symlink(fs::path("shared") / "scores.dat", dir.path() / "hscore.dat");
    ASSERT_FALSE(writeFileAtomic(dir.path() / "hscore.dat", "new"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "hscore.dat")));
    EXPECT_EQ(dir.read("shared/scores.dat"), "new");
    EXPECT_EQ(dir.read("hscore.dat"), "new");
}

TEST(FileIo, ReadingIsBoundedAndSaysWhenCut) {
    test::TempDir dir;
    dir.write("big", std::string(1000, 'z'));
    const auto cut = readFileBytes(dir.path() / "big", 100);
    EXPECT_TRUE(cut.exists);
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.bytes.size(), 100u);
    const auto whole = readFileBytes(dir.path() / "big", 1000);
    EXPECT_FALSE(whole.truncated);
    EXPECT_EQ(whole.bytes.size(), 1000u);
    EXPECT_FALSE(readFileBytes(dir.path() / "missing", 10).exists);
    // A folder of that name is there but cannot be read: never taken for a missing file.
    const auto folder = readFileBytes(dir.path(), 10);
    EXPECT_TRUE(folder.exists);
    EXPECT_TRUE(folder.readError);
}

TEST(FileIo, AReadErrorPartWayIsNotTakenForTheWholeFile) {
    // A regular file whose every read fails with an I/O error.
    const std::filesystem::path failing = "/proc/self/mem";
    if (!std::filesystem::is_regular_file(failing)) GTEST_SKIP() << "no " << failing;
    const auto read = readFileBytes(failing, 100);
    EXPECT_TRUE(read.exists);
    EXPECT_TRUE(read.readError);
    EXPECT_TRUE(read.bytes.empty());
}

TEST(DataPath, MatchesFolderAndFileNamesWithoutCase) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Data");
    dir.write("Data/Panel2.JPG", "x");
    EXPECT_EQ(resolveDataPath("data\\panel2.jpg", dir.path()), dir.path() / "Data" / "Panel2.JPG");
    EXPECT_EQ(resolveDataPath("DATA/PANEL2.jpg", dir.path()), dir.path() / "Data" / "Panel2.JPG");
    // Not found: the path as written, for the error message.
    EXPECT_EQ(resolveDataPath("data\\panel9.jpg", dir.path()), dir.path() / "data" / "panel9.jpg");
    // Two folders differing only in case: the file is found in either.
    std::filesystem::create_directories(dir.path() / "DATA");
    dir.write("DATA/ship.jpg", "y");
    EXPECT_EQ(resolveDataPath("data\\ship.jpg", dir.path()), dir.path() / "DATA" / "ship.jpg");
    EXPECT_EQ(resolveDataPath("DATA\\panel2.jpg", dir.path()), dir.path() / "Data" / "Panel2.JPG");
    EXPECT_EQ(resolveDataPath("sounds\\bomb.mp3", dir.path()), dir.path() / "sounds" / "bomb.mp3");
}

// The same program runs from a runtime folder and installed: where its data
// and the player's files are taken from in each case.
TEST(GameFolders, RuntimeFolderKeepsEverythingThereInstalledSplitsDataAndPlayerFiles) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    const fs::path run = dir.path() / "run", prefix = dir.path() / "usr",
                   elsewhere = dir.path() / "home" / "games";
    for (const fs::path& p :
         {run / "Data", prefix / "bin", prefix / "share" / "vortalix3d" / "DATA", elsewhere})
        fs::create_directories(p);
    dir.write("run/Data/Font.BMP", "x");
    dir.write("usr/share/vortalix3d/DATA/font.bmp", "x");
    const fs::path home = dir.path() / "home";

    FolderFacts facts{run, prefix / "bin", "../share/vortalix3d", "", home.string()};
    GameFolders f = chooseGameFolders(facts); // started in the runtime folder: as always
    EXPECT_EQ(f.dataRoot, run);
    EXPECT_EQ(f.userRoot, run);

    facts.currentDir = elsewhere; // installed, started from any folder
    f = chooseGameFolders(facts);
    EXPECT_EQ(f.dataRoot, prefix / "share" / "vortalix3d");
    EXPECT_EQ(f.userRoot, home / ".local" / "share" / "vortalix3d");
    facts.xdgDataHome = (dir.path() / "xdg").string();
    EXPECT_EQ(chooseGameFolders(facts).userRoot, dir.path() / "xdg" / "vortalix3d");
    facts.xdgDataHome = "relative/xdg"; // invalid by the XDG rules: ignored
    EXPECT_EQ(chooseGameFolders(facts).userRoot, home / ".local" / "share" / "vortalix3d");

    facts.programDir = run; // the runtime folder's program started from elsewhere
    EXPECT_EQ(chooseGameFolders(facts).dataRoot, run);
    facts.programDir = dir.path() / "nowhere" / "bin"; // no data anywhere: named under the install
    EXPECT_EQ(chooseGameFolders(facts).dataRoot, dir.path() / "nowhere" / "share" / "vortalix3d");

    // The player's folder is made at the first start; a file in the way is an error.
    EXPECT_EQ(createUserRoot(f.userRoot), "");
    EXPECT_TRUE(fs::is_directory(f.userRoot));
    EXPECT_EQ(createUserRoot(f.userRoot), "");
    dir.write("blocked", "x");
    EXPECT_NE(createUserRoot(dir.path() / "blocked" / "vortalix3d"), "");
}

} // namespace
} // namespace vtx
