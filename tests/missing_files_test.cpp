// The game with files of its resources missing or cut short, as a broken copy leaves them: each
// is named once on the console and nothing else is written there, a plain stand-in shows where
// a picture is missing so that every button is still seen and pressed, and the system's copy of
// the font stands in for the game's own.
#include "assets/assets.h"
#include "ground/game.h"
#include "ground/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> listed(const char* list) {
    std::vector<std::string> names;
    std::istringstream in(list ? list : "");
    for (std::string name; std::getline(in, name, ':');)
        names.push_back(name);
    return names;
}

bool among(const std::vector<std::string>& names, const fs::path& name) {
    return std::find(names.begin(), names.end(), name.string()) != names.end();
}

} // namespace

// Run only in the child processes started below: the sandbox's resources made again, a link a
// file, but for those missing (none) and those cut short (a copy of their first third).
TEST(MissingFilesChild, DISABLED_PlaysWithWhatIsLeft) {
    quietLibraries();
    const std::vector<std::string> missing = listed(std::getenv("GOBBLER_MISSING")),
                                   cut = listed(std::getenv("GOBBLER_CUT"));
    const fs::path real = fs::path(GOBBLER_SOURCE_DIR) / "resources", mine = "../resources";
    for (const char* folder : {"textures", "sfx", "fonts", "shaders"}) {
        fs::remove(mine / folder);
        fs::create_directory(mine / folder);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(real / folder)) {
            const fs::path name = fs::relative(entry.path(), real);
            if (entry.is_directory())
                fs::create_directories(mine / name);
            else if (among(cut, name))
                writeFile(
                    (mine / name).string(),
                    readFile(entry.path().string()).substr(0, fs::file_size(entry.path()) / 3));
            else if (!among(missing, name))
                fs::create_symlink(entry.path(), mine / name);
        }
    }
    FrameDriver driver(1.0 / 30);
    // The splash waits for its bites to be heard, in real time.
    ASSERT_TRUE(driver.runUntil(
        [] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return game.shared.screen == Logo;
        },
        600));
    game.shared.screen = TitleMenu;
    driver.frame();
    // Every button of the panel is seen at its size and opens its screen; every text shows.
    const int screens[] = {LevelSelect, Shop, Options, Help};
    for (int i = 0; i < 4; ++i) {
        const sf::Sprite& button = game.menus.panelButtons[i];
        EXPECT_GT(button.getGlobalBounds().width, 100) << i;
        driver.click(static_cast<int>(button.getPosition().x),
                     static_cast<int>(button.getPosition().y));
        EXPECT_EQ(game.shared.screen, screens[i]) << i;
    }
    EXPECT_EQ(textureSize(game.menus.menuOuterFrame.getTexture()), sf::Vector2u(1920, 1080));
    EXPECT_GT(game.menus.menuHeading.getGlobalBounds().width, 100);
}

TEST(MissingFiles, EachIsNamedOnceOnTheConsoleAndTheGameStaysPlayable) {
    const char* const trials[][2] = {
        {"textures/Menu/FondMenu.png:textures/Menu/B Options.png:sfx/sons/Intro Logo.ogg:"
         "sfx/musiques/Menu Principal.ogg:fonts/SlyCooper.ttf",
         ""},
        {"", "textures/Menu/B Jouer.png:sfx/sons/Click Socle et Tour.ogg:fonts/SlyCooper.ttf"}};
    for (const auto& trial : trials) {
        const std::string errors = "missing-files-errors.txt";
        EXPECT_EQ(runChild("MissingFilesChild.DISABLED_PlaysWithWhatIsLeft",
                           {"ALSOFT_DRIVERS=null", std::string("GOBBLER_MISSING=") + trial[0],
                            std::string("GOBBLER_CUT=") + trial[1]},
                           errors),
                  0);
        std::vector<std::string> said = listed(nullptr), expected;
        std::istringstream lines(readFile(errors));
        for (std::string line; std::getline(lines, line);)
            said.push_back(line);
        for (const char* list : trial)
            for (const std::string& name : listed(list))
                expected.push_back("gobbler: cannot read ../resources/" + name);
        std::sort(said.begin(), said.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(said, expected);
        std::remove(errors.c_str());
    }
}
