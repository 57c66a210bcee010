// The in-game HUD: texts, star frames, the wave preview and the countdown timers.
#include "customers/customers.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The colour the last frame shows at a layout point.
class Capture {
  public:
    explicit Capture(const FrameDriver& driver) : image(driver.frameImage()) {}
    sf::Color at(float x, float y) const {
        return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
    }

  private:
    sf::Image image;
};

// A level standing still under the pause button: everything is drawn, nothing moves.
void pausedLevel(FrameDriver& driver, int level) {
    game.progress.tutorialEnabled = 0;
    driver.startLevel(level);
    game.waveClock.paused = 1;
    driver.frame();
}

} // namespace

TEST(Hud, StarFramesFollowTheRatingAndTheObjective) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 3);
    struct Case {
        float rating;
        int frame;
    };
    for (const Case& c : {Case{0.0f, 0}, Case{0.99f, 0}, Case{1.0f, 1}, Case{7.9f, 7},
                          Case{8.0f, 8}, Case{10.0f, 10}}) {
        game.rating.RatingScore = c.rating;
        driver.frame();
        EXPECT_EQ(game.hud.ratingStars.getTextureRect(), sf::IntRect(315 * c.frame, 0, 315, 197))
            << c.rating;
    }
    EXPECT_EQ(game.hud.objectiveStars.getTextureRect(), sf::IntRect(538 * 8, 0, 538, 91));
}

TEST(Hud, MoneyAndWaveTexts) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 1);
    game.rating.money = 1234;
    game.waves.wave = 3;
    driver.frame();
    EXPECT_EQ(game.hud.moneyText.getString(), "1234");
    EXPECT_EQ(game.hud.waveText.getString(), "Vague : 3/5") << "the wave of how many";
    game.rating.money = INT_MIN;
    driver.frame();
    EXPECT_EQ(game.hud.moneyText.getString(), "-2147483648");
    EXPECT_EQ(game.hud.objectiveLabel.getString(), "Objectif: ");
}

TEST(Hud, TimersShowOneFramePerSecondAndGrowUnderTheMouse) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 1);
    game.waveClock.countdown = 7;
    driver.frame();
    EXPECT_EQ(game.hud.countdownTimers[0].getTextureRect(), sf::IntRect(270, 0, 90, 91));
    EXPECT_EQ(game.hud.countdownTimers[0].getPosition(), sf::Vector2f(481, 295));
    driver.moveMouse(481, 295);
    driver.frame();
    EXPECT_FLOAT_EQ(game.hud.countdownTimers[0].getScale().x, 1.1f);
    driver.moveMouse(100, 295);
    driver.frame();
    EXPECT_FLOAT_EQ(game.hud.countdownTimers[0].getScale().x, 1.0f);
}

TEST(Hud, SpeedButtonIsLitAtDoubleSpeedOnly) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 1);
    const sf::Vector2f button(1848, 1010); // on the button's blue, clear of its text
    const Capture normal(driver);
    game.waveClock.gameSpeed = 2;
    const Capture doubled(driver);
    game.waveClock.gameSpeed = 1;
    const Capture normalAgain(driver);
    EXPECT_NE(doubled.at(button.x, button.y), normal.at(button.x, button.y));
    EXPECT_EQ(normalAgain.at(button.x, button.y), normal.at(button.x, button.y));
}

TEST(Hud, ThirdMapShowsItsFirstBoxFromTheSecondWaveAndNothingOnceTheWaveRuns) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 3);
    // Inside each box, away from its faces and counts.
    const sf::Vector2f box1(780, 40), box2(110, 685);
    const Capture wave1(driver);
    game.waves.wave = 2;
    driver.frame();
    const Capture wave2(driver);
    EXPECT_NE(wave1.at(box1.x, box1.y), wave2.at(box1.x, box1.y)) << "box 1 appears from wave 2";
    EXPECT_EQ(wave1.at(box2.x, box2.y), wave2.at(box2.x, box2.y));
    EXPECT_EQ(game.hud.previewCounts[0][Bachelor].getString(), "x 2");
    EXPECT_EQ(game.hud.previewCounts[1][BusinessMan].getString(), "x 2");

    game.waveClock.countdown = 0; // the wave is under way
    driver.frame();
    const Capture running(driver);
    EXPECT_NE(running.at(box2.x, box2.y), wave2.at(box2.x, box2.y));
    EXPECT_NE(running.at(box1.x, box1.y), wave2.at(box1.x, box1.y));
    // Neither box lies over an entrance's mat: the mats look the same with the boxes up.
    for (const sf::Vector2f mat : {sf::Vector2f(180, 1045), sf::Vector2f(680, 30)})
        for (float dx : {-40.0f, 0.0f, 40.0f})
            EXPECT_EQ(wave2.at(mat.x + dx, mat.y), running.at(mat.x + dx, mat.y)) << mat.x;
}

TEST(Hud, SecondMapTimerShowsOverItsBox) {
    FrameDriver driver(0.1);
    pausedLevel(driver, 2);
    const sf::Vector2f timer = game.hud.countdownTimers[0].getPosition();
    ASSERT_EQ(timer, sf::Vector2f(641, 875));
    const Capture shown(driver);
    game.hud.countdownTimers[0].setPosition(-500, -500);
    const Capture boxAlone(driver);
    EXPECT_NE(shown.at(timer.x, timer.y), boxAlone.at(timer.x, timer.y));
}

TEST(Hud, AnOpenTowerMenuComesOverThePreviewAndTakesItsPresses) {
    FrameDriver driver(0.1);
    game.progress.tutorialEnabled = 0;
    driver.startLevel(2);
    driver.frame();
    driver.click(473, 780); // the pedestal left of the box: its Soda button reaches into it
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    const sf::Vector2f soda(577, 745);
    const Capture menuOpen(driver);
    game.defence.towerMenu = Closed;
    const Capture menuClosed(driver);
    EXPECT_NE(menuOpen.at(soda.x, soda.y), menuClosed.at(soda.x, soda.y));

    // On map 3 the Fries button above a pedestal lies on the first box's timer.
    driver.startLevel(3);
    game.waves.wave = 2;
    driver.frame();
    driver.click(713, 430);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    driver.moveMouse(700, 240);
    driver.frame();
    EXPECT_FLOAT_EQ(game.hud.countdownTimers[0].getScale().x, 1.0f) << "the timer under it stays";
    driver.click(700, 240);
    EXPECT_EQ(game.defence.towers.size(), 1u) << "the Fries tower is built";
    EXPECT_GT(game.waveClock.countdown, 0) << "the countdown behind the button goes on";
}

TEST(Hud, EveryPreviewAnnouncesWhatItsWaveSpawns) {
    for (int level : {1, 2, 3}) {
        FrameDriver driver(0.05);
        game.progress.tutorialEnabled = 0;
        driver.startLevel(level);
        // The entrance each box tells: map 3's top box (box 1) its second entrance.
        const int entranceOfBox[2] = {level == 3 ? 1 : 0, 0};
        for (int wave = 1; wave <= game.level.waveCount; ++wave) {
            driver.frame();
            ASSERT_EQ(game.waves.wave, wave);
            std::vector<int> announced(2 * CustomerTypeCount), spawned(2 * CustomerTypeCount);
            for (int box = 0; box < 2; ++box)
                for (int type = 0; type < CustomerTypeCount; ++type)
                    if (game.hud.previewTimerOf[box] >= 0 && game.hud.previewFaceShown[box][type])
                        announced[entranceOfBox[box] * CustomerTypeCount + type] = std::stoi(
                            game.hud.previewCounts[box][type].getString().toAnsiString().substr(2));
            game.waveClock.countdown = 0;
            // Everyone spawned is counted by entrance and taken away at once.
            ASSERT_TRUE(driver.runUntil(
                [&] {
                    for (auto it = game.crowd.customers.begin();
                         it != game.crowd.customers.end();) {
                        const int entrance = level == 3 ? it->pathIndex % 2 : 0;
                        spawned[entrance * CustomerTypeCount + it->type] += 1;
                        it = removeCustomer(it);
                    }
                    return game.waves.wave != wave || game.rating.levelLost || game.rating.levelWon;
                },
                120));
            EXPECT_EQ(announced, spawned) << "level " << level << " wave " << wave;
        }
    }
}

// Pictures of a level for a look by eye (run with --gtest_also_run_disabled_tests).
TEST(Hud, DISABLED_Screenshots) {
    const std::string out = std::string(GOBBLER_SOURCE_DIR) + "/out/";
    std::filesystem::create_directories(out);
    FrameDriver driver(0.05);
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    driver.runFor(2.0);
    driver.screenshot(out + "hud_countdown.png");
    driver.runFor(9.0);
    driver.runUntil([] { return game.rating.exitedCount >= 3; }, 60);
    driver.screenshot(out + "hud_midwave.png");
    game.rating.RatingScore = 6.4f;
    game.rating.levelLost = 1;
    driver.frame();
    driver.screenshot(out + "hud_defeat.png");
    game.rating.levelLost = 0;
    game.rating.levelWon = 1;
    game.reviews.endReviewsChosen = 0;
    game.rating.RatingScore = 8.6f;
    driver.frame();
    driver.screenshot(out + "hud_victory.png");
    game.rating.levelWon = 0;
    driver.startLevel(1);
    driver.runFor(1.0);
    driver.screenshot(out + "hud_map1_countdown.png");
    driver.click(1690, 1025);
    driver.moveMouse(600, 490);
    driver.frame();
    driver.screenshot(out + "hud_game_menu.png");
    driver.click(600, 575);
    driver.frame();
    driver.screenshot(out + "hud_game_options.png");
}
