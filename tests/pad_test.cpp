// A gamepad plays as the mouse and the keys do: the stick and the d-pad move the pointer (and
// the desktop's with it), A presses, B, Start, Y and the shoulders are Escape, Space, the menu
// and the speeds; a mouse moved takes the pointer back.
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "platform/platform.h"
#include "support/frame_driver.h"
#include "towers/records.h"

#include <gtest/gtest.h>

namespace {

// Seconds the stick held at this tilt takes to carry the pointer from the left edge to the
// right one, frames of this length.
double crossing(float tilt, double frameSeconds) {
    PadPointer pointer;
    pointer.at = {0, 540};
    PadState pad;
    pad.stickX = tilt;
    double seconds = 0;
    while (pointer.at.x < layoutWidth - 1 && seconds < 20) {
        steerPadPointer(pointer, pad, static_cast<float>(frameSeconds));
        seconds += frameSeconds;
    }
    return seconds;
}

} // namespace

TEST(Pad, TheStickCrossesTheFrameInAboutASecondAndTheDpadStepsForPrecision) {
    const double full = crossing(100, 1.0 / 60);
    EXPECT_GT(full, 0.9);
    EXPECT_LT(full, 1.3);
    for (double frame : {1.0 / 20, 1.0 / 30, 1.0 / 144})
        EXPECT_NEAR(crossing(100, frame), full, 0.08) << "at " << 1 / frame << " frames a second";
    EXPECT_GT(crossing(60, 1.0 / 60), 3 * full) << "half way: slower, for aiming";
    EXPECT_GE(crossing(18, 1.0 / 60), 20) << "a stick at rest leaves the pointer";

    PadPointer pointer;
    pointer.at = {500, 500};
    PadState pad;
    pad.stickX = 100;
    steerPadPointer(pointer, pad, 1.0f / 60);
    EXPECT_LT(pointer.at.x, 505) << "the pointer gathers speed (full speed: 33 a frame)";
    pad = PadState();
    pointer.at = {500, 500};
    pad.dpadX = 1;
    double held = 0;
    for (; held < 0.3; held += 1.0 / 60)
        steerPadPointer(pointer, pad, 1.0f / 60);
    EXPECT_EQ(pointer.at, sf::Vector2f(508, 500)) << "a press, a step";
    for (; held < 1.0; held += 1.0 / 60)
        steerPadPointer(pointer, pad, 1.0f / 60);
    EXPECT_NEAR(pointer.at.x, 500 + 8 * 14, 8) << "held, it steps on";
    pad.dpadX = 0;
    pad.dpadY = -1;
    pointer.at = {500, 3};
    steerPadPointer(pointer, pad, 1.0f / 60);
    EXPECT_EQ(pointer.at, sf::Vector2f(500, 0)) << "never off the frame";
}

TEST(Pad, APadPlaysAsTheMouseAndKeysAndTheMouseTakesThePointerBack) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    game.shared.screen = TitleMenu;
    driver.frame();
    ASSERT_TRUE(driver.padMoveTo(1091, 235)); // "Jouer"
    EXPECT_EQ(driver.platform.mouse, sf::Vector2i(1091, 235)) << "the desktop's pointer follows";
    driver.padPress(PadA);
    ASSERT_EQ(game.shared.screen, LevelSelect);
    ASSERT_TRUE(driver.padMoveTo(1496, 410)); // the first level's card
    driver.padPress(PadA);
    ASSERT_EQ(game.shared.screen, InGame);

    // B as Escape: an open tower menu closes first; Y goes to the in-game menu at once.
    ASSERT_TRUE(driver.padMoveTo(1376, 680));
    driver.padPress(PadA);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    driver.padPress(PadB);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    EXPECT_EQ(game.shared.screen, InGame);
    driver.padPress(PadB);
    EXPECT_EQ(game.shared.screen, GameMenu);
    driver.padPress(PadY);
    EXPECT_EQ(game.shared.screen, InGame);
    driver.padPress(PadA);
    driver.padPress(PadY);
    EXPECT_EQ(game.shared.screen, GameMenu) << "Y from an open tower menu";
    driver.padPress(PadB);
    driver.padPress(PadStart);
    EXPECT_EQ(game.waveClock.paused, 1);
    driver.padPress(PadStart);
    EXPECT_EQ(game.waveClock.paused, 0);
    driver.padPress(PadRightShoulder);
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    driver.padPress(PadLeftShoulder);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);

    // The mouse moved takes the pointer at once; the stick then goes on from there.
    driver.moveMouse(300, 300);
    driver.frame();
    EXPECT_EQ(game.shared.input.mouseX, 300);
    driver.platform.pad.stickY = 100;
    driver.frames(10);
    driver.platform.pad.stickY = 0;
    EXPECT_EQ(game.shared.input.mouseX, 300);
    EXPECT_GT(game.shared.input.mouseY, 300);

    // In a smaller window the game's pointer lands on the very point, the desktop's on the
    // window pixel that shows it.
    driver.platform.size = {1280, 720};
    ASSERT_TRUE(driver.padMoveTo(961, 541));
    EXPECT_EQ(driver.platform.mouse, frameToWindow({961, 541}, {1280, 720}));
    driver.platform.padPlugged = false;
    driver.platform.pad.stickX = 100;
    driver.frames(5);
    EXPECT_EQ(game.shared.input.mouseX, 961) << "unplugged, the pad does nothing";
}
