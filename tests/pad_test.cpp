// A gamepad plays as the mouse and the keys do; a mouse moved takes the pointer back.
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "platform/platform.h"
#include "support/frame_driver.h"
#include "towers/records.h"

#include <gtest/gtest.h>

#include <utility>

TEST(Pad, TheStickCrossesTheFrameInAboutASecondAndTheDpadStepsForPrecision) {
    // Seconds the stick at this tilt takes to carry the pointer from the left edge to the right.
    auto crossing = [](float tilt, double frame) {
        PadPointer pointer;
        PadState pad;
        pad.stickX = tilt;
        double seconds = 0;
        for (; pointer.at.x < layoutWidth - 1 && seconds < 20; seconds += frame)
            steerPadPointer(pointer, pad, static_cast<float>(frame));
        return seconds;
    };
    const double full = crossing(100, 1.0 / 60);
    EXPECT_GT(full, 0.9);
    EXPECT_LT(full, 1.3);
    for (double frame : {1.0 / 20, 1.0 / 144})
        EXPECT_NEAR(crossing(100, frame), full, 0.08) << "at " << 1 / frame << " frames a second";
    EXPECT_GT(crossing(60, 1.0 / 60), 3 * full) << "half way: slower, for aiming";
    EXPECT_GE(crossing(18, 1.0 / 60), 20) << "a stick at rest leaves the pointer";

    PadPointer pointer;
    pointer.at = {500, 3};
    PadState pad;
    pad.dpadX = 1;
    pad.dpadY = -1;
    for (double held = 0; held < 1.0; held += 1.0 / 60) {
        steerPadPointer(pointer, pad, 1.0f / 60);
        if (held < 0.3) {
            EXPECT_EQ(pointer.at, sf::Vector2f(508, 0)) << "a press, a step, never off the frame";
        }
    }
    EXPECT_NEAR(pointer.at.x, 500 + 8 * 14, 8) << "held, it steps on";
}

TEST(Pad, APadPlaysAsTheMouseAndKeysAndTheMouseTakesThePointerBack) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    ASSERT_TRUE(driver.padMoveTo(1376, 680)); // a pedestal
    EXPECT_EQ(driver.platform.mouse, sf::Vector2i(1376, 680)) << "the desktop's pointer follows";
    driver.padPress(PadA);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    // B as Escape closes the tower menu first; Y goes to the in-game menu at once.
    const std::pair<PadButton, int> presses[] = {{PadB, InGame}, {PadB, GameMenu}, {PadY, InGame},
                                                 {PadA, InGame}, {PadY, GameMenu}, {PadB, InGame}};
    for (const auto& [button, screen] : presses) {
        driver.padPress(button);
        EXPECT_EQ(game.shared.screen, screen) << button;
    }
    EXPECT_EQ(game.defence.towerMenu, Closed);
    driver.padPress(PadStart);
    EXPECT_EQ(game.waveClock.paused, 1);
    driver.padPress(PadRightShoulder);
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    driver.padPress(PadLeftShoulder);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);

    driver.moveMouse(300, 300); // the mouse takes the pointer; the stick goes on from there
    driver.platform.pad.stickY = 100;
    driver.frames(10);
    EXPECT_EQ(game.shared.input.mouseX, 300);
    EXPECT_GT(game.shared.input.mouseY, 300);
    driver.platform.size = {1280, 720};
    ASSERT_TRUE(driver.padMoveTo(961, 541));
    EXPECT_EQ(driver.platform.mouse, frameToWindow({961, 541}, {1280, 720}));
}
