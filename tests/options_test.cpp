// The options section: volume sliders, the tutorial box and deleting the saved game.
#include "assets/assets.h"
#include "ground/game.h"
#include "ground/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const tutorialOn = "../resources/textures/Menu/CaseTuto1.png";
const char* const tutorialOff = "../resources/textures/Menu/CaseTuto2.png";

struct SaveFileBefore {
    explicit SaveFileBefore(const char* content) {
        std::remove(sandboxSavePath().c_str());
        if (content)
            std::ofstream(sandboxSavePath(), std::ios::binary) << content;
    }
};

// The options opened from the title menu's panel, with the given save file at start-up.
struct OnOptions : SaveFileBefore, FrameDriver {
    explicit OnOptions(const char* save = nullptr) : SaveFileBefore(save), FrameDriver(1.0 / 60) {
        game.shared.screen = TitleMenu;
        frame();
        click(1091, 510);
    }
    ~OnOptions() { std::remove(sandboxSavePath().c_str()); }
    void clickTutorialBox() { click(1241 + 32, 585 + 32); }
};

} // namespace

TEST(Options, KnobsStartFromTheVolumesAndFollowThePointerOnlyOnTheirBars) {
    OnOptions driver;
    ASSERT_EQ(game.shared.screen, Options);
    EXPECT_FLOAT_EQ(game.options.musicKnobX, 1209 + 275.5f);
    EXPECT_FLOAT_EQ(game.options.effectsKnobX, 1209 + 275.5f);
    driver.frames(3);
    EXPECT_FLOAT_EQ(game.sound.musicVolume, 50);
    EXPECT_FLOAT_EQ(game.sound.effectsVolume, 50);

    // Dragged to the music bar's left edge: silence, applied on the next frame.
    driver.press(1209, 310);
    driver.frame();
    EXPECT_FLOAT_EQ(game.options.musicKnobX, 1209);
    driver.frame();
    EXPECT_FLOAT_EQ(game.sound.musicVolume, 0);
    EXPECT_FLOAT_EQ(game.sound.effectsVolume, 50);
    ASSERT_NE(game.sound.audio, nullptr);
    EXPECT_FLOAT_EQ(game.sound.audio->musics[MusicMenu].getVolume(), 0);
    // Sliding off the bar leaves the knob where the bar ended under the pointer.
    driver.moveMouse(1150, 310);
    driver.frames(2);
    EXPECT_FLOAT_EQ(game.options.musicKnobX, 1209);
    driver.release();
    driver.frame();

    // The effects bar: 551 pixels from its left edge are full volume.
    driver.press(1209 + 551, 500);
    driver.frames(2);
    EXPECT_FLOAT_EQ(game.sound.effectsVolume, 100);
    EXPECT_FLOAT_EQ(game.sound.audio->sounds[SoundClick].getVolume(), 100);
    EXPECT_FLOAT_EQ(game.options.effectsFill.getSize().x, 1209 + 551 - 1216);
    driver.press(1209 + 563, 500); // the bar's last pixels
    driver.frames(2);
    EXPECT_FLOAT_EQ(game.sound.effectsVolume, 100);
    driver.release();
    driver.frame();

    // Reopening the options puts the knobs back from the volumes they set.
    game.sound.musicVolume = 20;
    driver.click(1091, 235);
    driver.click(1091, 510);
    EXPECT_FLOAT_EQ(game.options.musicKnobX, 1209 + 20 * 551.0f / 100);
    EXPECT_FLOAT_EQ(game.options.effectsKnobX, 1209 + 551);
}

TEST(Options, TutorialBoxTogglesOncePerPress) {
    OnOptions driver;
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOn));
    driver.press(1541 + 32, 585 + 32); // its row, right of the label, answers too
    driver.frames(5);                  // held: one toggle only
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOff));
    driver.release();
    driver.frame();
    // The choice is saved as it is made: the next start keeps it.
    game.progress.tutorialEnabled = 1;
    readSave();
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    driver.clickTutorialBox();
    EXPECT_EQ(game.progress.tutorialEnabled, 1);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOn));
    game.progress.tutorialEnabled = 0;
    readSave();
    EXPECT_EQ(game.progress.tutorialEnabled, 1);
}

TEST(Options, EachBoxShowsItsFlagAsItStands) {
    OnOptions driver("0 0.000000 0.000000 0.000000 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 1 0 0 1 0 0 ");
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOff))
        << "as the save says";
    driver.clickTutorialBox();
    EXPECT_EQ(game.progress.tutorialEnabled, 1);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOn));
    game.progress.tutorialEnabled = 2; // a damaged save's flag is on
    driver.frame();
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOn));
    driver.clickTutorialBox();
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOff));
    // The fullscreen box, ticked while the window fills the screen.
    for (int fullscreen : {1, 0, 1}) {
        game.options.fullscreen = fullscreen;
        driver.frame();
        EXPECT_EQ(game.options.fullscreenBox.getTexture(),
                  loadTexture(fullscreen ? tutorialOn : tutorialOff))
            << fullscreen;
    }
}

TEST(Options, DeletingTheGameAsksFirstThenResetsProgressAndRelocksTheLevels) {
    OnOptions driver("11 9.500000 7.000000 3.000000 1 1 0 1 1 1 1 4 3 1 4 3 1 1 1 1 1 0 1 0 0 ");
    ASSERT_EQ(game.progress.stars, 11);
    ASSERT_EQ(game.progress.lockOpened[3], 1);
    driver.clickTutorialBox(); // tutorial off: the box shows it
    ASSERT_EQ(game.progress.tutorialEnabled, 0);
    const std::string before = readFile(sandboxSavePath());

    // "Suppr. partie" asks; "Non" or leaving the options keep the game, and the box under the
    // question does not answer meanwhile.
    const sf::Vector2f yes = game.options.askYes.box.getPosition() + sf::Vector2f(80, 32);
    const sf::Vector2f no = game.options.askNo.box.getPosition() + sf::Vector2f(80, 32);
    driver.click(1211, 780);
    driver.clickTutorialBox();
    driver.click(static_cast<int>(no.x), static_cast<int>(no.y));
    driver.click(1211, 780);
    driver.click(1086, 640); // "Aides"
    driver.click(1091, 510);
    EXPECT_EQ(game.options.deleteAsked, 0);
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    EXPECT_EQ(readFile(sandboxSavePath()), before);

    driver.press(1211, 780); // the button's left edge counts
    driver.frames(4);
    driver.release();
    driver.frame();
    EXPECT_EQ(game.progress.stars, 11) << "only asked";
    driver.click(static_cast<int>(yes.x), static_cast<int>(yes.y));
    EXPECT_EQ(game.progress.stars, 0);
    EXPECT_EQ(game.menus.starBalanceText.getString().toAnsiString(), "0");
    EXPECT_EQ(game.progress.lockOpened[2], 0);
    EXPECT_EQ(game.progress.lockOpened[3], 0);
    EXPECT_EQ(game.menus.levelCards[2].getTextureRect().left, 490) << "level 2 locked again";
    EXPECT_EQ(game.menus.levelCards[3].getTextureRect().left, 490) << "level 3 locked again";
    EXPECT_EQ(game.progress.upgradeUnlocked[Fries][3], 0);
    EXPECT_EQ(game.progress.tutorialEnabled, 1);
    EXPECT_EQ(game.options.tutorialBox.getTexture(), loadTexture(tutorialOn))
        << "the flag is on again";
    EXPECT_EQ(readFile(sandboxSavePath()),
              "0 0.000000 0.000000 0.000000 0 0 0 0 0 0 1 0 0 0 0 0 1 0 0 1 0 0 1 0 0 ");

    // Back on the level selection, card 2 cannot be started.
    driver.click(1091, 235);
    driver.click(1781, 400);
    driver.frames(80);
    driver.click(1400, 400);
    EXPECT_EQ(game.shared.screen, LevelSelect);
}

TEST(Options, DISABLED_Screenshot) {
    OnOptions driver;
    driver.moveMouse(1600, 650);
    driver.frames(2);
    EXPECT_TRUE(driver.screenshot(GOBBLER_SOURCE_DIR "/out/menus_options.png"));
}
