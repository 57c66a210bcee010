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

std::vector<std::string> names(const char* list) {
    std::vector<std::string> found;
    std::istringstream in(list ? list : "");
    for (std::string name; std::getline(in, name, ':');)
        if (!name.empty())
            found.push_back(name);
    return found;
}

bool listed(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The sandbox's resources made again from the real ones, a link a file, but for those missing
// (none) and those cut short (a copy of their first third).
void breakResources(const std::vector<std::string>& missing, const std::vector<std::string>& cut) {
    const fs::path real = fs::path(GOBBLER_SOURCE_DIR) / "resources";
    const fs::path mine = "../resources";
    for (const char* folder : {"textures", "sfx", "fonts", "shaders"}) {
        fs::remove(mine / folder);
        fs::create_directory(mine / folder);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(real / folder)) {
            const fs::path name = fs::relative(entry.path(), real);
            if (entry.is_directory())
                fs::create_directories(mine / name);
            else if (listed(cut, name.string())) {
                const std::string bytes = readFile(entry.path().string());
                writeFile((mine / name).string(), bytes.substr(0, bytes.size() / 3));
            } else if (!listed(missing, name.string()))
                fs::create_symlink(entry.path(), mine / name);
        }
    }
}

// The panel's buttons and the screens they open.
struct PanelPress {
    int x, y, screen;
};
constexpr PanelPress panel[] = {
    {1091, 235, LevelSelect}, {1091, 370, Shop}, {1091, 510, Options}, {1086, 640, Help}};

} // namespace

// Run only in the child processes started below, with their lists of broken files.
TEST(MissingFilesChild, DISABLED_PlaysWithWhatIsLeft) {
    quietLibraries();
    breakResources(names(std::getenv("GOBBLER_MISSING")), names(std::getenv("GOBBLER_CUT")));
    FrameDriver driver(1.0 / 30);
    // The splash waits for its bites to be heard, in real time.
    ASSERT_TRUE(driver.runUntil(
        [] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return game.shared.screen == Logo;
        },
        600))
        << "the intro";
    game.shared.screen = TitleMenu;
    driver.frame();
    // Every button of the panel shows a picture of its size and opens its screen.
    for (int i = 0; i < 4; ++i) {
        const sf::Sprite& button = game.menus.panelButtons[i];
        EXPECT_NE(button.getTexture(), nullptr) << i;
        EXPECT_GT(button.getGlobalBounds().width, 100) << i;
        driver.click(panel[i].x, panel[i].y);
        EXPECT_EQ(game.shared.screen, panel[i].screen) << i;
    }
    // The menus' background and every text show.
    EXPECT_EQ(textureSize(game.menus.menuOuterFrame.getTexture()), sf::Vector2u(1920, 1080));
    EXPECT_NE(gameFont(), nullptr);
    EXPECT_GT(game.menus.menuHeading.getGlobalBounds().width, 100);
    EXPECT_GT(game.menus.starBalanceText.getGlobalBounds().width, 10);
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
                  0)
            << "the child's own checks failed";
        std::vector<std::string> said = names(nullptr), expected;
        std::istringstream lines(readFile(errors));
        for (std::string line; std::getline(lines, line);)
            said.push_back(line);
        for (const char* list : trial)
            for (const std::string& name : names(list))
                expected.push_back("gobbler: cannot read ../resources/" + name);
        std::sort(said.begin(), said.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(said, expected);
        std::remove(errors.c_str());
    }
}
