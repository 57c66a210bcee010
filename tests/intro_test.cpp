// The start-up splash, the logo animation, its slide and the title prompt.
#include "ground/game.h"
#include "ground/records.h"
#include "persist/records.h"
#include "shell/records.h"
#include "shell/shell.h"
#include "support/frame_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

TEST(Intro, SplashStepsAreTimedFromItsFirstUpdateNotFromStartUp) {
    FrameDriver driver;
    driver.platform.ms = 5000; // start-up took a while
    driver.clockSeconds = 5.0;
    driver.frame();
    EXPECT_EQ(game.intro.splashFrame, 0);
    // The first frame shows the cursor (the mouse at the corner) and the whole burger from a
    // picture of its own, where the bites' sheet's first frame has it; outside it, that frame is
    // clear.
    const sf::Image first = driver.frameImage();
    EXPECT_EQ(first.getPixel(8, 20), sf::Color(255, 208, 63));
    sf::Image bites;
    ASSERT_TRUE(bites.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/Menu/QZ manger.png"));
    for (unsigned y = 0; y < 939; y += 3)
        for (unsigned x = 0; x < 797; x += 3) {
            const sf::Color sheet = bites.getPixel(x, y), shown = first.getPixel(562 + x, 71 + y);
            if (sheet.a == 255) {
                ASSERT_EQ(shown.toInteger(), sheet.toInteger()) << x << "," << y;
            } else if (sheet.a == 0) {
                ASSERT_EQ(shown.toInteger(), sf::Color::Black.toInteger()) << x << "," << y;
            }
        }
    driver.runFor(0.49);
    EXPECT_EQ(game.intro.splashFrame, 0);
    driver.runFor(0.05);
    EXPECT_EQ(game.intro.splashFrame, 1);
    // The first bite is heard.
    if (game.sound.audio) {
        EXPECT_GT(game.sound.audio->buffers[SoundBite1].getSampleCount(), 0u);
        EXPECT_NE(game.sound.audio->sounds[SoundBite1].getStatus(), sf::Sound::Stopped);
    }
    EXPECT_EQ(game.intro.splashBite.getTextureRect(), sf::IntRect(797, 0, 797, 939));
    ASSERT_NE(game.intro.splashBite.getTexture(), nullptr);
    EXPECT_EQ(game.intro.splashBite.getTexture()->getSize(), sf::Vector2u(3188, 939));
    driver.runFor(1.05);
    EXPECT_EQ(game.intro.splashFrame, 3);
    EXPECT_EQ(game.intro.splashPhase, 1);
}

TEST(Intro, TheBurgerFliesUpRightUntilXReaches80ThenTheLogoScreenFollows) {
    FrameDriver driver;
    ASSERT_TRUE(driver.runUntil([] { return game.intro.splashPhase == 1; }, 3.0));
    const sf::Vector2f start = game.intro.splashFlyer.getPosition();
    driver.frame();
    const sf::Vector2f next = game.intro.splashFlyer.getPosition();
    EXPECT_GT(next.x, start.x);
    EXPECT_LT(next.y, start.y);
    EXPECT_NEAR(next.x - start.x, start.y - next.y, 0.01); // about 45 degrees
    ASSERT_TRUE(driver.runUntil([] { return game.intro.splashPhase == 2; }, 2.0));
    EXPECT_GE(game.intro.splashFlyer.getPosition().x, 80.0f);
    // The logo screen waits for the satisfied voice to stop, in real time: the frames are
    // given a little of it each.
    ASSERT_TRUE(driver.runUntil(
        [] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return game.shared.screen == Logo;
        },
        600.0));
}

TEST(Intro, LogoSkipsFrames51To64SlidesAwayAndThePromptBlinks) {
    FrameDriver driver;
    game.shared.screen = Logo;
    std::set<int> shown;
    ASSERT_TRUE(driver.runUntil(
        [&] {
            shown.insert(game.intro.logoFrame);
            return game.intro.introPhase != 0;
        },
        20.0));
    for (int frame = 51; frame <= 64; ++frame)
        EXPECT_FALSE(shown.count(frame)) << frame;
    EXPECT_TRUE(shown.count(50));
    EXPECT_TRUE(shown.count(65));
    EXPECT_EQ(game.intro.logoFrame, 94);
    // 5 pixels per drawn frame to x -500 (the first step in the frame that ends the
    // animation), then the title picture.
    driver.frames(50);
    EXPECT_FLOAT_EQ(game.intro.logoX, -255.0f);
    ASSERT_TRUE(driver.runUntil([] { return game.intro.introPhase == 2; }, 2.0));
    EXPECT_FLOAT_EQ(game.intro.logoX, -500.0f);
    int lowest = 255, highest = 0;
    for (int i = 0; i < 200; ++i) {
        driver.frame();
        lowest = std::min<int>(lowest, game.intro.promptText.getFillColor().a);
        if (i > 100)
            highest = std::max(highest, game.intro.promptAlpha);
    }
    EXPECT_EQ(lowest, 6); // it touches 3 only inside the frame that turns it back up
    EXPECT_EQ(highest, 231);
}

TEST(Intro, APressHeldThroughTheLogoOpensTheTitleMenuOnceThePictureIsUp) {
    FrameDriver driver;
    game.shared.screen = Logo;
    driver.press(1096, 770); // where "Quitter" will stand
    driver.runFor(1.0);
    EXPECT_EQ(game.shared.screen, Logo); // presses are ignored while animating
    ASSERT_TRUE(driver.runUntil([] { return game.shared.screen == TitleMenu; }, 30.0));
    EXPECT_EQ(game.intro.introPhase, 2);
    EXPECT_EQ(game.shared.clickLatch, 1) << "the press that opened the menu does nothing else";
    // The logo stays where the slide left it, over every menu screen.
    sf::Image logo;
    ASSERT_TRUE(logo.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/Logo/94.png"));
    for (int screen : {TitleMenu, LevelSelect, Options, Help, Shop}) {
        game.shared.screen = screen;
        driver.frame();
        const sf::Image shown = driver.frameImage();
        int opaque = 0, matching = 0;
        for (unsigned y = 0; y < logo.getSize().y; y += 7)
            for (unsigned x = 500; x < logo.getSize().x; x += 7)
                if (logo.getPixel(x, y).a == 255) {
                    ++opaque;
                    matching += shown.getPixel(x - 500, y) == logo.getPixel(x, y);
                }
        EXPECT_GT(matching, opaque * 9 / 10) << "the logo on screen " << screen;
    }
}
