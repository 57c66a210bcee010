// The game starts and runs frames on every screen with an empty resources folder.
#include "frame/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

TEST(EmptyResources, StartsAndRunsEveryScreenAndLevel) {
    FrameDriver driver;
    driver.frames(30);
    for (int screen : {TitleMenu, LevelSelect, Options, Shop, Help, Logo, Splash}) {
        game.shared.screen = screen;
        driver.frames(5);
        driver.click(1091, 235);
    }
    for (int level = 0; level <= 3; ++level) {
        driver.startLevel(level);
        driver.runFor(15.0);
        driver.click(1376, 680);
        driver.click(1376, 550);
        for (int screen : {GameMenu, GameOptions, InGame}) {
            game.shared.screen = screen;
            driver.frames(5);
        }
    }
    game.shared.screen = Quit;
    driver.press(10, 10);
    driver.frames(2);
    EXPECT_EQ(game.frame.windowOpen, 0);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    enterSandbox(false);
    return RUN_ALL_TESTS();
}
