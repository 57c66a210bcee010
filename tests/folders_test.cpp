// Where a copy of the game finds its resources and writes its save, over a made-up layout:
// a build beside its resources, a program started from elsewhere, an installed copy with
// read-only data.
#include "platform/platform.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class Folders : public ::testing::Test {
  protected:
    fs::path root, elsewhere, data;
    fs::path previous = fs::current_path();

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "gobbler-folders-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        elsewhere = root / "elsewhere" / "run";
        data = root / "usr" / "share" / "games" / "gobbler" / "resources";
        for (const fs::path& folder :
             {root / "checkout" / "resources" / "textures", root / "checkout" / "build",
              root / "usr" / "games", data / "textures", elsewhere})
            fs::create_directories(folder);
        std::ofstream(root / "checkout" / "build" / "gobbler") << "program";
        std::ofstream(root / "usr" / "games" / "gobbler") << "program";
        fs::permissions(data,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::permissions(data, fs::perms::owner_write, fs::perm_options::add);
        fs::remove_all(root);
    }

    PathClues installedCopy() const {
        PathClues clues;
        clues.executable = (root / "usr" / "games" / "gobbler").string();
        clues.installedData = {
            (root / "usr" / "games" / "../share/games/gobbler/resources").string(),
            "/nowhere/share/games/gobbler/resources"};
        clues.xdgDataHome = (root / "xdg").string();
        clues.home = (root / "home").string();
        return clues;
    }
};

} // namespace

TEST_F(Folders, FromTheBuildFolderOrBesideTheProgramTheResourcesKeepTheSave) {
    fs::current_path(root / "checkout" / "build");
    PathClues clues = installedCopy();
    clues.executable = (root / "checkout" / "build" / "gobbler").string();
    GameFolders found = findGameFolders(clues);
    EXPECT_EQ(found.resources, "../resources/");
    EXPECT_EQ(found.save, "../resources/save/");

    fs::current_path(elsewhere);
    found = findGameFolders(clues);
    EXPECT_EQ(found.resources, (root / "checkout" / "resources").string() + "/");
    EXPECT_EQ(found.save, found.resources + "save/");
    EXPECT_FALSE(fs::exists(root / "xdg"));
}

// A save folder in the resources that the player cannot write: the progress is read from there
// when it holds a save (the game then says it cannot be written back); else a new player
// starts in the desktop's data folder.
TEST_F(Folders, ASaveFolderThatCannotBeWrittenIsStillReadFromWhenItHoldsTheSave) {
    fs::current_path(root / "checkout" / "build");
    PathClues clues = installedCopy();
    const fs::path save = root / "checkout" / "resources" / "save";
    fs::create_directories(save);
    fs::create_directories(root / "xdg");
    fs::permissions(root / "xdg", fs::perms::all);
    fs::permissions(root, fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(save, fs::perms::owner_write, fs::perm_options::remove);
    for (const bool holdsASave : {true, false}) {
        if (holdsASave)
            std::ofstream(save / "Save1.txt") << "111 ";
        else
            fs::remove(save / "Save1.txt");
        EXPECT_EQ(asPlayer([&] {
                      const GameFolders found = findGameFolders(clues);
                      return (found.save == "../resources/save/" ? 1 : 0) +
                             (folderWritable(found.save + "Save1.txt") ? 2 : 0);
                  }),
                  holdsASave ? 1 : 2);
    }
    fs::permissions(save, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(Folders, AnInstalledCopyReadsItsDataAndSavesInTheDesktopsDataFolder) {
    fs::current_path("/");
    PathClues clues = installedCopy();
    GameFolders found = findGameFolders(clues);
    EXPECT_EQ(found.resources, data.string() + "/");
    EXPECT_EQ(found.save, (root / "xdg" / "gobbler").string() + "/");
    EXPECT_TRUE(fs::is_directory(found.save));
    // Never into the installed data, even for a player who could write there.
    EXPECT_FALSE(fs::exists(data / "save"));

    // No XDG_DATA_HOME (or a relative one): the home's .local/share.
    clues.xdgDataHome = "relative";
    found = findGameFolders(clues);
    EXPECT_EQ(found.save, (root / "home" / ".local" / "share" / "gobbler").string() + "/");
    EXPECT_TRUE(fs::is_directory(found.save));

    // Nothing anywhere: the game's own name, resources missing, the save still kept.
    clues.installedData.clear();
    found = findGameFolders(clues);
    EXPECT_EQ(found.resources, "../resources/");
    EXPECT_EQ(found.save, (root / "home" / ".local" / "share" / "gobbler").string() + "/");
}
