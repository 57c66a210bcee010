// The frame cycle, screens, input rules, hit tests and the draw pass of the shell.
#include "frame/frame.h"
#include "frame/records.h"
#include "frame/window.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "ground/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"

#include <gtest/gtest.h>

TEST(Shell, StartsOnTheSplashWithDefaults) {
    FrameDriver driver;
    EXPECT_EQ(game.shared.screen, Splash);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);
    EXPECT_FLOAT_EQ(game.clock.now, -1.0f);
    driver.frame();
    // The first frame measures from prevNow = -1.
    EXPECT_FLOAT_EQ(game.clock.frameDelta, game.clock.now + 1.0f);
    EXPECT_FLOAT_EQ(game.clock.prevNow, game.clock.now);
}

TEST(Shell, SpeedKeysReadOnEveryScreenFocusedOrNot) {
    FrameDriver driver;
    driver.platform.key2 = true;
    driver.frame();
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    driver.platform.key1 = true; // both held: key 1 wins
    driver.frame();
    EXPECT_EQ(game.waveClock.gameSpeed, 1);
    driver.platform.key1 = false;
    driver.setFocus(false);
    game.shared.screen = Quit; // no press is seen while unfocused, so the window stays open
    driver.press(5, 5);
    driver.frame();
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    EXPECT_EQ(game.frame.windowOpen, 1);
}

TEST(Shell, CloseRequestEndsTheLoopFromEveryScreenAndTheFrameCompletes) {
    for (int screen : {Splash, Logo, TitleMenu, InGame, GameMenu, GameOptions, Quit}) {
        FrameDriver driver;
        game.shared.screen = screen;
        driver.requestClose();
        const float before = game.clock.prevNow;
        driver.frame();
        EXPECT_EQ(game.frame.windowOpen, 0) << "screen " << screen;
        // The update still ran in the frame that closed the window.
        EXPECT_NE(game.clock.prevNow, before);
    }
}

// "Quitter" closes the window on the frame that shows its press, tapped (down and up between two
// frames, as a touchpad's, or in a frame slowed by the switch to fullscreen) or held, in a window
// and after F11.
TEST(Shell, QuitClosesTheWindowOnTheFrameItsPressActs) {
    for (int way = 0; way < 4; ++way) {
        FrameDriver driver;
        driver.drawing = true;
        game.shared.screen = TitleMenu;
        if (way >= 2)
            driver.tapKey(sf::Keyboard::F11);
        ASSERT_EQ(windowFullscreen(), way >= 2);
        if (way % 2) {
            driver.press(1096, 770);
            driver.frame();
        } else {
            driver.tap(1096, 770);
        }
        EXPECT_FALSE(driver.platform.window->isOpen()) << "way " << way;
        if (windowFullscreen()) // the next test's window is a window again
            toggleFullscreen(FrameDriver::window());
    }
}

TEST(Shell, PressLatchesUntilTheButtonIsUpAndFocusLossKeepsIt) {
    FrameDriver driver;
    game.shared.screen = GameMenu; // the in-game menu's items are one-shot
    game.shared.clickLatch = 1;
    driver.press(100, 100);
    driver.frame();
    EXPECT_EQ(game.shared.clickLatch, 1);
    driver.setFocus(false);
    driver.release();
    driver.frame();
    EXPECT_EQ(game.shared.clickLatch, 1) << "a release seen only while unfocused keeps the latch";
    driver.setFocus(true);
    driver.frame();
    EXPECT_EQ(game.shared.clickLatch, 0);
}

TEST(Shell, CursorShowsFrameOneWhileHeldAndIsDrawnLast) {
    FrameDriver driver;
    game.shared.screen = Quit; // nothing else is drawn on this screen
    driver.moveMouse(300, 400);
    driver.frame();
    EXPECT_EQ(game.frame.cursorSprite.getTextureRect(), sf::IntRect(0, 0, 38, 37));
    // The screen is black but for the cursor, whose corner sits on the pointer.
    const sf::Image shown = driver.frameImage();
    bool cursorSeen = false;
    for (unsigned y = 400; y < 437; ++y)
        for (unsigned x = 300; x < 338; ++x)
            cursorSeen = cursorSeen || shown.getPixel(x, y) != sf::Color::Black;
    EXPECT_TRUE(cursorSeen);
    EXPECT_EQ(shown.getPixel(299, 399), sf::Color::Black);
    driver.press(300, 400);
    game.shared.screen = Options; // a screen whose panel handler ignores this spot
    driver.frame();
    EXPECT_EQ(game.frame.cursorSprite.getTextureRect(), sf::IntRect(38, 0, 38, 37));
}

TEST(HitTests, CentredIsStrictAroundTheCentre) {
    sf::Texture texture;
    ASSERT_TRUE(texture.create(100, 50));
    sf::Sprite sprite(texture);
    sprite.setOrigin(50, 25);
    sprite.setPosition(200, 100);
    EXPECT_TRUE(hitCentred(sprite, 200, 100));
    EXPECT_TRUE(hitCentred(sprite, 151, 76));
    EXPECT_FALSE(hitCentred(sprite, 150, 100));
    EXPECT_FALSE(hitCentred(sprite, 250, 100));
    EXPECT_FALSE(hitCentred(sprite, 200, 75));
    EXPECT_FALSE(hitCentred(sprite, 200, 125));
    sprite.setScale(1.2f, 1.2f); // hover scale grows the hit area
    EXPECT_TRUE(hitCentred(sprite, 145, 100));
}

TEST(HitTests, TopLeftIsStrictAndTheInclusiveFormAcceptsTheXEdges) {
    sf::Texture texture;
    ASSERT_TRUE(texture.create(80, 40));
    sf::Sprite sprite(texture);
    sprite.setPosition(10, 20);
    EXPECT_TRUE(hitTopLeft(sprite, 11, 21));
    EXPECT_FALSE(hitTopLeft(sprite, 10, 30));
    EXPECT_FALSE(hitTopLeft(sprite, 90, 30));
    EXPECT_TRUE(hitTopLeftInclusiveX(sprite, 10, 30));
    EXPECT_TRUE(hitTopLeftInclusiveX(sprite, 90, 30));
    EXPECT_FALSE(hitTopLeftInclusiveX(sprite, 50, 20));
    EXPECT_FALSE(hitTopLeftInclusiveX(sprite, 50, 60));
    EXPECT_TRUE(hitBox(1584, 993, 43, 69, 1585, 994));
    EXPECT_FALSE(hitBox(1584, 993, 43, 69, 1627, 994));
}

// A quick click, a touchpad's tap or a click during a slow frame goes down and up between two
// frames: the game only hears of it through the window's events, and it must still act once.
TEST(Shell, APressAndReleaseBetweenTwoFramesActsOnce) {
    FrameDriver driver;
    game.shared.screen = TitleMenu;
    driver.moveMouse(1091, 510);
    driver.frame();
    sf::Event event;
    event.mouseButton = {sf::Mouse::Left, 1091, 510};
    for (auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
        event.type = type;
        driver.platform.events.push_back(event);
    }
    driver.frame();
    EXPECT_EQ(game.shared.screen, Options) << "a title-menu button";
    EXPECT_EQ(game.frame.cursorSprite.getTextureRect().left, 38) << "seen down on its frame";
    driver.frame();
    EXPECT_EQ(game.shared.clickLatch, 0) << "and up on the next";

    // Two taps between two frames are two presses, on two frames.
    game.shared.screen = LevelSelect;
    game.shared.currentLevel = 1;
    driver.frame();
    event.mouseButton = {sf::Mouse::Left, 1781, 400};
    for (int i = 0; i < 2; ++i)
        for (auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            event.type = type;
            driver.platform.events.push_back(event);
        }
    driver.frames(4);
    EXPECT_EQ(game.shared.currentLevel, 3) << "the next arrow, tapped twice";

    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    driver.frame();
    const int money = game.rating.money;
    driver.tap(455, 480);
    EXPECT_EQ(game.defence.towerMenu, BuildMenu) << "a pedestal";
    driver.tap(455, 480 - 105 - 90);
    ASSERT_EQ(game.defence.towers.size(), 1u) << "a build button";
    EXPECT_EQ(game.rating.money, money - game.defence.towerCatalogue[Fries][0].cost);
    driver.tap(240, 820);
    EXPECT_EQ(game.waveClock.countdownDone, 1) << "the countdown";
    driver.tapKey(sf::Keyboard::Space);
    EXPECT_EQ(game.waveClock.paused, 1) << "Space, once";
    driver.tapKey(sf::Keyboard::Num2);
    EXPECT_EQ(game.waveClock.gameSpeed, 2) << "a speed key";
    game.rating.levelWon = 1;
    driver.tap(1414 + 165, 555 + 52);
    EXPECT_EQ(game.shared.screen, LevelSelect) << "Continuer";
}
