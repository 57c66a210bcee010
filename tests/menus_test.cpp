// The menu panel's transitions and the level selection's carousel, cards and padlocks.
#include "assets/assets.h"
#include "frame/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string heading() {
    return game.menus.menuHeading.getString().toAnsiString();
}

// A driver already on the title menu.
struct OnTitleMenu : FrameDriver {
    OnTitleMenu() {
        game.shared.screen = TitleMenu;
        frame();
    }
};

} // namespace

TEST(Menus, PanelButtonsOpenTheirScreensWithTheirHeadingsAndConsumeThePress) {
    OnTitleMenu driver;
    driver.press(1091, 235); // "Jouer"
    driver.frame();
    EXPECT_EQ(game.shared.screen, LevelSelect);
    EXPECT_EQ(game.menus.menuHeading.getString(),
              sf::String::fromUtf8(std::begin(u8"Sélection de niveaux"),
                                   std::end(u8"Sélection de niveaux") - 1));
    // Still held, the press reaches the first level card: nothing starts.
    driver.press(1400, 400);
    driver.frames(3);
    EXPECT_EQ(game.shared.screen, LevelSelect);
    driver.release();
    driver.frame();
    driver.click(1091, 370);
    EXPECT_EQ(game.shared.screen, Shop);
    EXPECT_EQ(heading(), "           Fournisseur");
    driver.click(1091, 510);
    EXPECT_EQ(game.shared.screen, Options);
    EXPECT_EQ(heading(), "              Options");
    driver.click(1086, 640);
    EXPECT_EQ(game.shared.screen, Help);
    EXPECT_EQ(heading(), "               Aides");
    // The open section's button stays enlarged once the pointer leaves it.
    driver.moveMouse(10, 10);
    driver.frame();
    EXPECT_FLOAT_EQ(game.menus.panelButtons[3].getScale().x, 1.2f);
    EXPECT_FLOAT_EQ(game.menus.panelButtons[0].getScale().x, 1.0f);
    driver.click(1096, 770);
    EXPECT_EQ(game.shared.screen, Quit);
    EXPECT_EQ(game.frame.windowOpen, 0);
}

// An arrow shows only where it leads, whole over a hovered panel button that grows into the
// cabinet's window.
TEST(Menus, CarouselArrowsChooseTheLevelAndCardsWaitForTheSlide) {
    OnTitleMenu driver;
    driver.click(1091, 235);
    EXPECT_EQ(game.shared.currentLevel, 0);
    sf::Image arrow;
    ASSERT_TRUE(arrow.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/Menu/Fleches.png"));
    const auto arrows = [&] { // a pixel of the previous arrow's head, and the next's
        const sf::Image shown = driver.frameImage();
        return 2 * (shown.getPixel(1190, 400) == arrow.getPixel(14, 50)) +
               (shown.getPixel(1802, 400) == arrow.getPixel(14, 50));
    };
    EXPECT_EQ(arrows(), 1) << "only the next arrow";
    driver.click(1781, 400); // next
    EXPECT_EQ(game.shared.currentLevel, 2);
    EXPECT_EQ(game.menus.carouselMoving, 1);
    driver.moveMouse(1091, 370); // over "Fournisseur"
    driver.frames(80);
    EXPECT_EQ(arrows(), 3);
    EXPECT_EQ(game.menus.carouselMoving, 0);
    EXPECT_FLOAT_EQ(game.menus.levelCards[1].getPosition().x, 651.0f);
    EXPECT_EQ(game.menus.levelLabel.getString().toAnsiString(), "Niveau 2");
    // Level 2 is locked: its card starts nothing.
    driver.click(1400, 400);
    EXPECT_EQ(game.shared.screen, LevelSelect);
    game.shared.currentLevel = 3;
    driver.frames(80);
    EXPECT_EQ(arrows(), 2) << "only the previous arrow";
    game.shared.currentLevel = 2;
    driver.frames(80);
    driver.click(1211, 400); // previous
    EXPECT_EQ(game.shared.currentLevel, 1);
    driver.frames(10);
    driver.click(1400, 400); // card 1 still sliding back
    EXPECT_EQ(game.shared.screen, LevelSelect);
    driver.frames(80);
    driver.click(1400, 400);
    EXPECT_EQ(game.shared.screen, InGame);
    EXPECT_EQ(game.shared.currentLevel, 1);
}

TEST(Menus, APadlockOpensOnlyOnceThePreviousLevelIsWonAndTheFileKeepsIt) {
    OnTitleMenu driver;
    driver.click(1091, 235);
    driver.click(1781, 400);
    driver.frames(80);
    const int padlockX = 651 + 600 + 244, padlockY = 410; // card 2 at x 1251 now
    driver.click(padlockX, padlockY);
    driver.frames(20);
    EXPECT_EQ(game.progress.lockOpened[2], 0) << "level 1 has not been won";
    game.progress.levelCleared[1] = 1;
    driver.moveMouse(padlockX, padlockY);
    driver.frame();
    EXPECT_FLOAT_EQ(game.menus.levelPadlocks[2].getScale().x, 1.2f);
    driver.click(padlockX, padlockY);
    driver.runFor(1.0);
    EXPECT_EQ(game.progress.lockOpened[2], 1);
    EXPECT_EQ(game.menus.levelCards[2].getTextureRect().left, 0);
    std::ifstream save("../resources/save/Save1.txt");
    EXPECT_TRUE(save.good()) << "opening a padlock writes the save file";
    driver.click(1400, 400);
    EXPECT_EQ(game.shared.screen, InGame);
    EXPECT_EQ(game.shared.currentLevel, 2);
}

TEST(Menus, ProgressThatCannotBeSavedIsToldOnceWithTheSavesPath) {
    // A save that opens and cannot be read: the notice's box shows over the floor for twelve
    // seconds, once, with the save's full path; nothing shows when the progress saves.
    std::remove(sandboxSavePath().c_str());
    std::filesystem::create_symlink("/proc/self/mem", sandboxSavePath());
    for (const bool failing : {true, false}) {
        OnTitleMenu driver;
        std::remove(sandboxSavePath().c_str());
        const auto shown = [&] {
            return driver.frameImage().getPixel(40, 1040) == sf::Color(255, 248, 225);
        };
        EXPECT_EQ(shown(), failing);
        if (failing) {
            EXPECT_EQ(game.menus.saveNoticePath.getString().toAnsiString(),
                      std::filesystem::absolute(sandboxSavePath()).lexically_normal().string());
        }
        driver.runFor(12.5);
        driver.click(1091, 510); // the options, then back
        driver.click(1091, 235);
        EXPECT_FALSE(shown());
    }
}

TEST(Menus, StarBalanceShrinksFromTenStars) {
    OnTitleMenu driver;
    game.progress.stars = 9;
    driver.frame();
    EXPECT_EQ(game.menus.starBalanceText.getCharacterSize(), 50u);
    EXPECT_EQ(game.menus.starBalanceText.getPosition(), sf::Vector2f(1086, 85));
    game.progress.stars = 10;
    driver.frame();
    EXPECT_EQ(game.menus.starBalanceText.getCharacterSize(), 35u);
    EXPECT_EQ(game.menus.starBalanceText.getPosition(), sf::Vector2f(1081, 98));
    EXPECT_EQ(game.menus.starBalanceText.getString().toAnsiString(), "10");
}

// A damaged or hand-edited save may hold 2 or -1 for a flag: every screen takes it as on.
TEST(Menus, SavedFlagsAreOnForAnyNonZeroValue) {
    for (int on : {2, -1}) {
        std::remove(sandboxSavePath().c_str()); // opening the padlock below saves
        OnTitleMenu driver;
        game.progress.levelCleared[1] = on;
        game.progress.lockOpened[3] = on;
        game.progress.upgradeUnlocked[Fries][2] = on;
        game.progress.supplierTutorialDone = on;
        game.progress.tutorialEnabled = on;

        driver.click(1091, 370); // the shop: the Fries level 2 is bought
        EXPECT_EQ(game.shop.upgradePictures[Fries][2].getTextureRect(),
                  sf::IntRect(0, 0, 153, 158));
        EXPECT_EQ(game.shop.shopPadlocks[Fries].getTextureRect().width, 0);

        driver.click(1091, 235); // level selection, on card 2
        driver.click(1781, 400);
        driver.frames(80);
        driver.moveMouse(1495, 410);
        driver.frame();
        EXPECT_FLOAT_EQ(game.menus.levelPadlocks[2].getScale().x, 1.2f) << on;
        driver.click(1495, 410);
        EXPECT_EQ(game.menus.padlockAnimating[2], 1);
        driver.click(1781, 400); // card 3: open, and it starts level 3
        driver.frames(80);
        EXPECT_EQ(game.menus.levelCards[3].getTextureRect().left, 0);
        driver.click(1400, 400);
        ASSERT_EQ(game.shared.screen, InGame) << on;
        EXPECT_EQ(game.shared.currentLevel, 3);

        // A level-1 Fries tower offers its upgrade, which is made.
        game.rating.money = 1000;
        driver.click(455, 480);
        driver.click(455, 480 - 105 - 90); // the Fries button
        ASSERT_EQ(game.defence.towers.size(), 1u);
        driver.click(455, 470);
        EXPECT_EQ(game.defence.towerMenu, UpgradeToLevel2) << on;
        const sf::Vector2f upgrade = game.defence.upgradeButton.getPosition();
        driver.click(static_cast<int>(upgrade.x), static_cast<int>(upgrade.y));
        EXPECT_EQ(game.defence.towers.front().level, 1);

        // The first level's lesson speaks, is drawn and holds the level; so does level 2's sign.
        driver.startLevel(0);
        driver.frames(3);
        EXPECT_EQ(game.lesson.tutorialStep, 0);
        EXPECT_FALSE(game.lesson.dialogue.empty()) << on;
        const sf::Color withLesson = driver.frameImage().getPixel(700, 1000);
        game.progress.tutorialEnabled = 0;
        EXPECT_NE(driver.frameImage().getPixel(700, 1000), withLesson) << "the bubble is drawn";
        game.progress.tutorialEnabled = on;
        game.lesson.level2TutorialClicks = 0;
        driver.startLevel(2);
        driver.frames(3);
        EXPECT_EQ(game.lesson.tutorialRunning, 0);
        EXPECT_FALSE(game.lesson.dialogue.empty());

        // Winning the first level again does not bring the shop lesson back.
        game.shared.currentLevel = 1;
        game.rating.RatingScore = 9;
        game.rating.levelObjective = 5;
        checkLevelEnd();
        EXPECT_EQ(game.lesson.supplierTutorialPending, 0);
    }
    std::remove(sandboxSavePath().c_str());
}
