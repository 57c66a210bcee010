// Pause, game speed, the in-game menu and options, and the level's end: frozen time is left
// out of the wave clock exactly once, whatever froze it.
#include "assets/assets.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "rating/records.h"
#include "shell/records.h"
#include "shell/shell.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Press points on the HUD and the two menus.
const sf::Vector2i pausePoint{1600, 1020}, menuPoint{1690, 1025}, mutePoint{1770, 1025},
    speedPoint{1865, 1025}, timerPoint{240, 820};
const sf::Vector2i resumeItem{600, 400}, restartItem{600, 490}, optionsItem{600, 575},
    quitItem{600, 670};
const sf::Vector2i backLabel{875, 789}, playPicture{1091, 235};

void click(FrameDriver& driver, sf::Vector2i at) {
    driver.click(at.x, at.y);
}

// One frame in which the key is pressed.
void key(FrameDriver& driver, sf::Keyboard::Key code) {
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {code, false, false, false, false};
    driver.platform.events.push_back(event);
    driver.frame();
}

// The wave's own time, as the wave scripts measure it.
double elapsed() {
    return (static_cast<double>(game.clock.now) - game.waveClock.waveClockStart) *
               game.waveClock.gameSpeed -
           game.waveClock.pausedTotal;
}

// Starts level 3 and ends its countdown with a press on the timer. (The first map restarts
// its wave clock at a wave's last spawn, for its door, so the third map is measured.)
void startWave(FrameDriver& driver) {
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    driver.frame();
    click(driver, timerPoint);
    ASSERT_EQ(game.waveClock.countdownDone, 1) << "the timer press ends the countdown";
}

} // namespace

TEST(Pause, PauseButtonLeavesItsTimeOutAtEitherSpeed) {
    for (int speed : {1, 2}) {
        FrameDriver driver(0.1);
        startWave(driver);
        if (speed == 2)
            click(driver, speedPoint);
        ASSERT_EQ(game.waveClock.gameSpeed, speed);
        driver.runFor(3.0);
        driver.press(pausePoint.x, pausePoint.y);
        driver.frame();
        EXPECT_EQ(game.waveClock.paused, 1);
        EXPECT_EQ(game.hud.pauseButton.getTextureRect(), sf::IntRect(43, 0, 43, 69));
        const double atPause = elapsed();
        driver.release();
        driver.runFor(10.0 - driver.frameSeconds); // 10 s from press to press
        driver.press(pausePoint.x, pausePoint.y);
        driver.frame();
        EXPECT_EQ(game.waveClock.paused, 0);
        EXPECT_EQ(game.hud.pauseButton.getTextureRect(), sf::IntRect(0, 0, 43, 69));
        EXPECT_NEAR(elapsed(), atPause, 1e-3) << "speed " << speed;
        EXPECT_NEAR(game.waveClock.pausedTotal, 10.0 * speed, 1e-3);
        driver.release();
        driver.runFor(1.0);
        EXPECT_NEAR(elapsed(), atPause + 1.0 * speed, 1e-3);
    }
}

TEST(Pause, PausingDuringTheCountdownStopsItAndAddsNothing) {
    FrameDriver driver(0.1);
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.frame();
    driver.runFor(2.5);
    const int countdown = game.waveClock.countdown;
    click(driver, pausePoint);
    driver.runFor(5.0);
    EXPECT_EQ(game.waveClock.countdown, countdown);
    click(driver, pausePoint);
    EXPECT_EQ(game.waveClock.pausedTotal, 0.0f);
    EXPECT_EQ(game.waveClock.countdownDone, 0);
}

TEST(Pause, TimerPressedWhilePausedStartsTheWaveAtZero) {
    FrameDriver driver(0.1);
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    driver.frame();
    click(driver, pausePoint);
    click(driver, timerPoint);
    EXPECT_EQ(game.waveClock.countdownDone, 1);
    driver.runFor(5.0);
    driver.press(pausePoint.x, pausePoint.y);
    driver.frame();
    // The press is handled before the frame's clock moves on: one frame of wave has run.
    EXPECT_NEAR(elapsed(), driver.frameSeconds, 1e-3)
        << "the wave clock only starts when the level moves";
}

TEST(Pause, TheInGameMenuAndItsOptionsAreOneFreeze) {
    FrameDriver driver(0.1);
    driver.drawing = true; // each screen's pictures are there on the frame that first shows it
    const int late = framesWithLatePictures();
    startWave(driver);
    driver.runFor(2.0);
    driver.press(menuPoint.x, menuPoint.y);
    driver.frame();
    ASSERT_EQ(game.shared.screen, GameMenu);
    const double atOpen = elapsed();
    driver.release();
    driver.runFor(3.0);
    click(driver, optionsItem);
    ASSERT_EQ(game.shared.screen, GameOptions);
    driver.runFor(4.0);
    click(driver, backLabel);
    ASSERT_EQ(game.shared.screen, GameMenu);
    click(driver, optionsItem);
    driver.runFor(1.0);
    click(driver, playPicture);
    ASSERT_EQ(game.shared.screen, GameMenu) << "the title's play picture also closes the options";
    EXPECT_EQ(game.waveClock.pausedTotal, 0.0f)
        << "nothing is counted before the level moves again";
    driver.runFor(1.0);
    driver.press(resumeItem.x, resumeItem.y);
    driver.frame();
    EXPECT_EQ(game.shared.screen, InGame);
    EXPECT_NEAR(elapsed(), atOpen, 1e-3);
    EXPECT_EQ(framesWithLatePictures(), late);
}

TEST(Pause, APauseThatBecomesTheMenuCountsOnce) {
    FrameDriver driver(0.1);
    startWave(driver);
    click(driver, speedPoint);
    driver.runFor(2.0);
    driver.press(pausePoint.x, pausePoint.y);
    driver.frame();
    const double atPause = elapsed();
    driver.release();
    driver.runFor(2.0);
    click(driver, menuPoint);
    EXPECT_EQ(game.waveClock.paused, 0);
    EXPECT_EQ(game.hud.pauseButton.getTextureRect(), sf::IntRect(0, 0, 43, 69));
    driver.runFor(3.0);
    driver.press(resumeItem.x, resumeItem.y);
    driver.frame();
    EXPECT_NEAR(elapsed(), atPause, 1e-3);
}

TEST(Pause, SpeedSwitchKeepsTheWaveTimeAlsoWhilePaused) {
    FrameDriver driver(0.1);
    startWave(driver);
    driver.runFor(6.0 - driver.frameSeconds);
    // The press is handled at the last frame's clock, then the frame runs at the new speed.
    const double before = elapsed();
    driver.press(speedPoint.x, speedPoint.y);
    driver.frame();
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    EXPECT_NEAR(elapsed(), before + 2 * driver.frameSeconds, 1e-3);
    driver.release();
    driver.runFor(0.5 - driver.frameSeconds);
    EXPECT_NEAR(elapsed(), before + 1.0, 1e-3) << "the step due at 7 s comes 0.5 s later";

    // Switching back while paused: the freeze is counted at the speed it ran at.
    driver.press(pausePoint.x, pausePoint.y);
    driver.frame();
    const double atPause = elapsed();
    driver.release();
    driver.runFor(2.0);
    click(driver, speedPoint);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);
    driver.runFor(3.0);
    click(driver, pausePoint);
    EXPECT_NEAR(elapsed(), atPause, 1e-3);
}

TEST(Pause, ALessonResumedUnderThePauseCountsTheFreezeOnce) {
    FrameDriver driver(0.1);
    startWave(driver);
    driver.runFor(2.0);
    const double atLesson = elapsed();
    // The first level's lesson stops the wave, as its script does.
    game.progress.tutorialEnabled = 1;
    game.lesson.tutorialStep =
        99; // past the lesson's steps: its press handler stays out of the way
    game.lesson.tutorialRunning = 0;
    game.waveClock.pauseStartTime = game.clock.now;
    driver.runFor(2.0);
    click(driver, pausePoint);
    ASSERT_EQ(game.waveClock.paused, 1);
    driver.runFor(2.0);
    // The lesson resumes under the pause, leaving out its own frozen time...
    game.waveClock.pausedTotal +=
        (game.clock.now - game.waveClock.pauseStartTime) * game.waveClock.gameSpeed;
    game.lesson.tutorialRunning = 1;
    driver.press(100, 1060); // ...in the frame of a press
    driver.frame();
    driver.release();
    driver.runFor(3.0);
    driver.press(pausePoint.x, pausePoint.y);
    driver.frame();
    // The lesson began at this frame's clock, the pause ends at the last one's.
    EXPECT_NEAR(elapsed(), atLesson + driver.frameSeconds, 1e-3);
}

TEST(Pause, PausingTenSecondsAtSpeedTwoDelaysTheRemainingSpawnsByTenSeconds) {
    // Real time of each spawn of the first wave, with or without a 10 s pause after the first.
    auto spawnTimes = [](bool pause) {
        std::vector<double> times;
        FrameDriver driver(0.1);
        startWave(driver);
        click(driver, speedPoint);
        int spawned = game.waves.spawnedInWave;
        while (times.size() < 3 && driver.clockSeconds < 40) {
            driver.frame();
            if (game.waves.spawnedInWave != spawned) {
                spawned = game.waves.spawnedInWave;
                times.push_back(driver.clockSeconds);
                if (pause && times.size() == 1) {
                    // 10 s from the press that pauses to the press that resumes.
                    click(driver, pausePoint);
                    driver.runFor(10.0 - 2 * driver.frameSeconds);
                    click(driver, pausePoint);
                }
            }
        }
        return times;
    };
    const std::vector<double> plain = spawnTimes(false);
    ASSERT_EQ(plain.size(), 3u);
    const std::vector<double> paused = spawnTimes(true);
    ASSERT_EQ(paused.size(), 3u);
    EXPECT_NEAR(paused[0], plain[0], 1e-6);
    EXPECT_NEAR(paused[1] - plain[1], 10.0, 1e-3);
    EXPECT_NEAR(paused[2] - plain[2], 10.0, 1e-3);
}

TEST(Pause, SpaceAndEscapeActAsTheirButtonsWhereTheseWould) {
    FrameDriver driver(0.1);
    startWave(driver);
    driver.runFor(1.0);
    const double atPause = elapsed();
    key(driver, sf::Keyboard::Space);
    EXPECT_EQ(game.waveClock.paused, 1);
    EXPECT_EQ(game.hud.pauseButton.getTextureRect(), sf::IntRect(43, 0, 43, 69));
    driver.runFor(2.0);
    key(driver, sf::Keyboard::Space);
    EXPECT_EQ(game.waveClock.paused, 0);
    EXPECT_NEAR(elapsed(), atPause + driver.frameSeconds, 1e-3);

    // Escape: an open tower menu closes first, then the in-game menu opens and closes.
    click(driver, {455, 480});
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    key(driver, sf::Keyboard::Escape);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    EXPECT_EQ(game.shared.screen, InGame);
    const double atMenu = elapsed();
    key(driver, sf::Keyboard::Escape);
    EXPECT_EQ(game.shared.screen, GameMenu);
    driver.runFor(2.0);
    click(driver, optionsItem);
    key(driver, sf::Keyboard::Escape);
    EXPECT_EQ(game.shared.screen, GameMenu) << "back from the options";
    key(driver, sf::Keyboard::Escape);
    EXPECT_EQ(game.shared.screen, InGame);
    EXPECT_NEAR(elapsed(), atMenu + driver.frameSeconds, 1e-3);

    // Under the end panel neither key acts.
    game.rating.levelWon = 1;
    key(driver, sf::Keyboard::Space);
    key(driver, sf::Keyboard::Escape);
    EXPECT_EQ(game.waveClock.paused, 0);
    EXPECT_EQ(game.shared.screen, InGame);
}

TEST(Pause, TheEndPanelLetsOnlyContinuerAct) {
    FrameDriver driver(0.1);
    startWave(driver);
    game.waveClock.countdown = -3;
    game.rating.levelLost = 1;
    for (sf::Vector2i at : {pausePoint, menuPoint, mutePoint, speedPoint, timerPoint,
                            sf::Vector2i{455, 480}}) // a free pedestal
        click(driver, at);
    EXPECT_EQ(game.waveClock.paused, 0);
    EXPECT_EQ(game.shared.screen, InGame);
    EXPECT_EQ(game.sound.muted, 0);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);
    EXPECT_LT(game.waveClock.countdown, 0) << "the timer press did not reach the countdown";
    EXPECT_EQ(game.defence.towerMenu, Closed);
    // The panel's picture is held only while it shows, and the menus' pictures only out of the
    // level: each is there, whole, on the first frame that shows it.
    sf::Image panel, menuFrame;
    ASSERT_TRUE(panel.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/hud/Defeat.png"));
    ASSERT_TRUE(menuFrame.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/Menu/FondMenu.png"));
    EXPECT_EQ(driver.frameImage().getPixel(960, 100), panel.getPixel(960, 100));
    click(driver, {1414 + 165, 555 + 52});
    EXPECT_EQ(game.shared.screen, LevelSelect);
    EXPECT_EQ(driver.frameImage().getPixel(20, 540), menuFrame.getPixel(20, 540));
}

TEST(Pause, ContinuerWorksWithThePressLatchedAndOnlyAtTheEnd) {
    FrameDriver driver(0.1);
    startWave(driver);
    const sf::Vector2i continuePoint{1414 + 165, 555 + 52};
    driver.press(continuePoint.x, continuePoint.y);
    driver.frame();
    EXPECT_EQ(game.shared.screen, InGame) << "not while the level runs";
    driver.release();
    driver.frame();

    game.rating.levelWon = 1;
    driver.press(20, 20);
    game.shared.clickLatch = 1;
    driver.frame();
    driver.press(continuePoint.x, continuePoint.y); // still held
    driver.frame();
    EXPECT_EQ(game.shared.screen, LevelSelect);
    EXPECT_EQ(game.rating.levelWon, 0);
    EXPECT_EQ(game.rating.levelLost, 0);
    EXPECT_TRUE(musicPlaying(MusicMenu));
    EXPECT_TRUE(soundStopped(SoundVictory));
}

TEST(Pause, MenuItemsAndTheirArrows) {
    FrameDriver driver(0.1);
    startWave(driver);
    click(driver, menuPoint);
    driver.moveMouse(restartItem.x, restartItem.y);
    driver.frame();
    const sf::Texture* full = loadTexture("../resources/textures/hud/FullFleche.png");
    const sf::Texture* empty = loadTexture("../resources/textures/hud/EmptyFleche.png");
    EXPECT_EQ(game.gameMenu.gameMenuArrows[1].getTexture(), full);
    EXPECT_EQ(game.gameMenu.gameMenuArrows[0].getTexture(), empty);
    // Items 3 and 4 light up 5 pixels below where they are pressed.
    driver.moveMouse(optionsItem.x, 130 + 472);
    driver.frame();
    EXPECT_EQ(game.gameMenu.gameMenuArrows[2].getTexture(), full);
    driver.press(optionsItem.x, 130 + 472);
    driver.frame();
    EXPECT_EQ(game.shared.screen, GameMenu) << "below the press box";
    driver.release();
    driver.frame();

    // Options: the knobs start at the volumes; dragging a bar sets its volume.
    click(driver, optionsItem);
    ASSERT_EQ(game.shared.screen, GameOptions);
    EXPECT_NEAR(game.gameMenu.gameMusicKnobX, 576 + 275.5, 1e-3);
    driver.press(700, 690);
    driver.frame();
    driver.press(852, 690);
    driver.frame();
    EXPECT_NEAR(game.sound.effectsVolume, (852 - 576) * 100.0 / 551, 1e-3);
    EXPECT_EQ(game.sound.musicVolume, 50.0f);
    driver.press(2000, 690); // the knob stays where the bar ended
    driver.frame();
    EXPECT_NEAR(game.sound.effectsVolume, (852 - 576) * 100.0 / 551, 1e-3);
    driver.release();
    driver.frame();
    click(driver, backLabel);

    // The title's "Jouer" picture closes the options at its enlarged size, 259 x 108.
    click(driver, optionsItem);
    click(driver, {playPicture.x + 131, playPicture.y});
    EXPECT_EQ(game.shared.screen, GameOptions);
    click(driver, {playPicture.x - 128, playPicture.y + 52});
    EXPECT_EQ(game.shared.screen, GameMenu);

    click(driver, quitItem);
    EXPECT_EQ(game.shared.screen, TitleMenu);
    EXPECT_EQ(game.menus.menuHeading.getString(), utf8("               Menu"));
    EXPECT_FALSE(musicPlaying(MusicLevel1));
}

// Paused, the room dims under "Pause" and the HUD beside it stays as it was, its buttons
// answering; the in-game menu shows over the room as it stood, without the veil.
TEST(Pause, APausedRoomIsVeiledUnderItsSignAndTheHudStaysClear) {
    FrameDriver driver(0.1);
    startWave(driver);
    const sf::Image running = driver.frameImage();
    click(driver, pausePoint);
    ASSERT_EQ(game.waveClock.paused, 1);
    const sf::Image paused = driver.frameImage();
    const auto brightness = [](sf::Color c) { return c.r + c.g + c.b; };
    int darker = 0, checked = 0;
    for (unsigned y = 20; y < 1060; y += 40)
        for (unsigned x = 20; x < 1520; x += 40) {
            ++checked;
            darker += brightness(paused.getPixel(x, y)) < brightness(running.getPixel(x, y));
        }
    EXPECT_GT(darker, checked * 9 / 10) << "the room is dimmed";
    int signPixels = 0; // the sign's light letters in the middle of the room
    for (unsigned y = 420; y < 540; ++y)
        for (unsigned x = 600; x < 940; ++x)
            signPixels += brightness(paused.getPixel(x, y)) > 700;
    EXPECT_GT(signPixels, 1500);
    EXPECT_EQ(paused.getPixel(1700, 60), running.getPixel(1700, 60)) << "the HUD is as it was";
    click(driver, speedPoint);
    EXPECT_EQ(game.waveClock.gameSpeed, 2) << "the HUD's buttons answer under the pause";
    click(driver, speedPoint);

    click(driver, menuPoint);
    ASSERT_EQ(game.shared.screen, GameMenu);
    const sf::Image menu = driver.frameImage();
    EXPECT_EQ(menu.getPixel(100, 900), running.getPixel(100, 900)) << "no veil under the menu";

    // The wave preview, in the room, is veiled with it.
    driver.startLevel(1);
    driver.frame();
    const sf::Color box = driver.frameImage().getPixel(400, 200);
    click(driver, pausePoint);
    EXPECT_LT(brightness(driver.frameImage().getPixel(400, 200)), brightness(box));
}
