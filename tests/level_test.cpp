// Levels and waves: map set-ups, restarts, the wave clock and its spawns, the map-1 door, the
// obstacle wave, the props, and every wave of every map played to the end.
#include "core/game.h"
#include "customers/customers.h"
#include "frame/frame.h"
#include "level/level.h"
#include "support/frame_driver.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void tick(FrameDriver& driver, int count = 1) {
    driver.frames(count);
}

template <class Condition> bool tickUntil(FrameDriver& driver, Condition condition, double limit) {
    const double end = driver.clockSeconds + limit;
    while (!condition()) {
        if (driver.clockSeconds >= end)
            return false;
        tick(driver);
    }
    return true;
}

// Ends the running countdown as a press on the timer would.
void skipCountdown() {
    if (game.countdownDone == 0 && game.countdown > 0)
        game.countdown = 0;
}

double waveTime() {
    return static_cast<double>(game.now) - game.waveClockStart;
}

// Spawn times of the running wave, in seconds of real time since its clock started.
std::vector<double> spawnTimes(FrameDriver& driver, int count, double limit) {
    std::vector<double> times;
    int seen = game.spawnedInWave;
    tickUntil(
        driver,
        [&] {
            if (game.spawnedInWave != seen) {
                seen = game.spawnedInWave;
                times.push_back(waveTime());
            }
            return static_cast<int>(times.size()) >= count;
        },
        limit);
    return times;
}

class Level : public ::testing::Test {
  protected:
    Level() : driver(1.0 / 100.0) { game.tutorialEnabled = 0; }
    void start(int level) {
        driver.startLevel(level);
        game.tutorialEnabled = 0;
    }
    FrameDriver driver;
};

} // namespace

TEST_F(Level, EachMapIsSetUpWithItsPlaceValuesAndPaths) {
    struct Expect {
        int level, mapNumber, slots, props, money, waves;
        float objective;
        sf::Vector2f entrance;
    };
    const Expect maps[] = {{0, 1, 6, 9, 320, 5, 5.0f, {487, 68}},
                           {1, 1, 6, 9, 320, 5, 5.0f, {487, 68}},
                           {2, 2, 11, 4, 200, 7, 5.0f, {455, 1075}},
                           {3, 3, 16, 9, 200, 7, 8.0f, {118, 1070}}};
    for (const Expect& m : maps) {
        start(m.level);
        SCOPED_TRACE(m.level);
        EXPECT_EQ(game.mapNumber, m.mapNumber);
        EXPECT_EQ(game.slots.size(), static_cast<size_t>(m.slots));
        EXPECT_EQ(game.decorations.size(), static_cast<size_t>(m.props));
        EXPECT_EQ(game.money, m.money);
        EXPECT_EQ(game.waveCount, m.waves);
        EXPECT_FLOAT_EQ(game.levelObjective, m.objective);
        EXPECT_EQ(game.entrance, m.entrance);
        EXPECT_EQ(game.mapSprite.getTexture(), game.mapTextures[m.mapNumber]);
        EXPECT_EQ(game.countdown, 10);
        EXPECT_EQ(game.wave, 1);
        // Every map steers towers towards its own way out.
        const sf::Vector2f goal = game.goalPoint;
        const CollisionMap* path = game.collisionMaps[0];
        ASSERT_NE(path, nullptr);
        EXPECT_TRUE(goal.x > 0 && goal.x < path->getSize().x && goal.y > 900) << goal.x;
    }
    start(1);
    EXPECT_EQ(game.goalPoint, sf::Vector2f(513, 1072));
    EXPECT_EQ(game.slots.front().facing, 3) << "newest first: the last pedestal is the head";
    EXPECT_EQ(game.slots.front().sprite.getPosition(), sf::Vector2f(946, 930));
    EXPECT_EQ(game.collisionMaps[0], game.pathImages[0]);

    start(2);
    EXPECT_EQ(game.collisionMaps[0], game.pathImages[1]);
    EXPECT_EQ(game.collisionMaps[2], game.pathImages[4]);
    EXPECT_EQ(game.signSprites[0].getPosition(), sf::Vector2f(709.5f, 728));

    start(3);
    EXPECT_EQ(game.secondEntrance, sf::Vector2f(741, 0));
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(game.collisionMaps[slot], game.pathImages[slot < 2 ? 2 + slot : 3 + slot]);
    EXPECT_EQ(game.mopperSprites[0].getPosition(), game.mopperSprites[1].getPosition());
    EXPECT_EQ(game.decorations.back().x, -18.0f) << "oldest prop is the first created";
}

TEST_F(Level, RestartLeavesNothingOfThePreviousRun) {
    start(1);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.customers.size() >= 2; }, 10));
    game.towers.emplace_front();
    game.projectiles.emplace_front();
    game.projectiles.front().target = &game.customers.front();
    game.slots.front().occupied = 1;
    game.gameSpeed = 2;
    game.exitedCount = 7;

    driver.startLevel(1);
    EXPECT_TRUE(game.customers.empty());
    EXPECT_TRUE(game.towers.empty());
    EXPECT_TRUE(game.projectiles.empty());
    EXPECT_EQ(game.slots.size(), 6u);
    EXPECT_EQ(game.slots.front().occupied, 0);
    EXPECT_EQ(game.decorations.size(), 9u);
    EXPECT_EQ(game.featuredCustomer, nullptr);
    EXPECT_EQ(game.firstTarget, nullptr);
    EXPECT_EQ(game.gameSpeed, 1);
    EXPECT_EQ(game.countdown, 10);
    EXPECT_EQ(game.exitedCount, 0);
    EXPECT_EQ(game.wave, 1);
    EXPECT_EQ(game.spawnedInWave, 0);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return !game.customers.empty(); }, 10));
    EXPECT_EQ(game.customers.front().id, 1);
}

TEST_F(Level, CountdownStepsOnceASecondAndStartsTheWaveClockOnce) {
    start(1);
    const float started = game.now;
    tickUntil(
        driver, [] { return game.countdown == 9; }, 2);
    EXPECT_NEAR(game.now - started, 1.0, 0.011);
    // Paused, it holds; unpausing during the countdown adds no frozen time.
    const sf::Vector2f pause = game.pauseButton.getPosition();
    driver.press(static_cast<int>(pause.x) + 20, static_cast<int>(pause.y) + 30);
    tick(driver, 2);
    driver.release();
    ASSERT_EQ(game.paused, 1);
    tick(driver, 300);
    EXPECT_EQ(game.countdown, 9);
    driver.press(static_cast<int>(pause.x) + 20, static_cast<int>(pause.y) + 30);
    tick(driver, 2);
    driver.release();
    ASSERT_EQ(game.paused, 0);
    EXPECT_FLOAT_EQ(game.pausedTotal, 0);
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.countdownDone == 1; }, 12));
    EXPECT_EQ(game.countdown, 0);
    EXPECT_FLOAT_EQ(game.waveClockStart, game.now);
    const float clock = game.waveClockStart;
    tick(driver, 150);
    EXPECT_EQ(game.waveClockStart, clock) << "the wave clock starts once";
    EXPECT_LT(game.countdown, 0) << "the count goes on below zero while the wave runs";
}

TEST_F(Level, Map1WaveSpawnsAtItsOffsetsHalvedAtDoubleSpeed) {
    start(1);
    skipCountdown();
    // The door opens one column per 0.1 s before the first spawn.
    std::vector<int> doorFrames;
    tickUntil(
        driver,
        [&] {
            if (doorFrames.empty() || doorFrames.back() != game.doorFrame)
                doorFrames.push_back(game.doorFrame);
            return game.spawnedInWave > 0;
        },
        2);
    EXPECT_EQ(doorFrames, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(game.doorSprite.getTextureRect(), sf::IntRect(4 * 149, 0, 149, 245));
    EXPECT_NEAR(waveTime(), 0.31, 0.03) << "the first customer waits for the open door";
    EXPECT_EQ(game.customers.front().type, Bachelor);
    EXPECT_EQ(game.customers.front().direction, DownRight);
    EXPECT_EQ(game.featuredCustomer, &game.customers.front());
    const std::vector<double> times = spawnTimes(driver, 2, 5);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_NEAR(times[0], 1.1, 0.011);
    EXPECT_EQ(game.waveClockStart, game.now) << "the last spawn restarts the clock for the door";
    EXPECT_EQ(game.spawnedInWave, 3);

    // The door closes after the last spawn's delay (1.75 s after a Bachelor).
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.doorFrame == 3; }, 3));
    EXPECT_NEAR(waveTime(), 1.75, 0.02);

    start(1);
    game.gameSpeed = 2;
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.spawnedInWave == 1; }, 2));
    const std::vector<double> fast = spawnTimes(driver, 2, 5);
    ASSERT_EQ(fast.size(), 2u);
    EXPECT_NEAR(fast[0], 0.55, 0.011);
}

TEST_F(Level, PausedTimeShiftsTheRemainingSpawns) {
    start(1);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.spawnedInWave == 1; }, 2));
    const sf::Vector2f pause = game.pauseButton.getPosition();
    const int px = static_cast<int>(pause.x) + 20, py = static_cast<int>(pause.y) + 30;
    driver.press(px, py);
    tick(driver);
    driver.release();
    tick(driver, 200); // two seconds frozen
    driver.press(px, py);
    tick(driver);
    driver.release();
    EXPECT_NEAR(game.pausedTotal, 2.0, 0.03);
    const std::vector<double> times = spawnTimes(driver, 1, 5);
    ASSERT_EQ(times.size(), 1u);
    EXPECT_NEAR(times[0], 1.1 + 2.0, 0.03);
}

TEST_F(Level, NextCountdownStartsOnlyOnceTheRoomIsEmpty) {
    start(1);
    game.gameSpeed = 2;
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.spawnedInWave == 3; }, 5));
    tick(driver, 100);
    EXPECT_FALSE(game.customers.empty());
    EXPECT_EQ(game.wave, 1);
    EXPECT_EQ(game.countdownDone, 1);
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.customers.empty(); }, 30));
    tick(driver);
    EXPECT_EQ(game.wave, 2);
    EXPECT_EQ(game.countdown, 10);
    EXPECT_EQ(game.countdownDone, 0);
    EXPECT_EQ(game.spawnedInWave, 0);
    EXPECT_EQ(game.exitedCount, 3);
}

TEST_F(Level, ObstacleWaveOpensTheShortWayOnlyOnceTheMopperHasFaded) {
    start(2);
    game.wave = 3;
    skipCountdown();
    tick(driver);
    EXPECT_EQ(game.obstacleActive, 0);
    EXPECT_EQ(game.pathOpenPhase, 1);
    const sf::Vector2f mopperStart = game.mopperSprites[0].getPosition();
    // He may set off on his last mopping frame: the walk still stays on its four frames.
    game.mopperFrame[0] = 4;
    game.mopperFrameTime[0] = -1.0f;
    tick(driver);
    EXPECT_EQ(game.mopperSprites[0].getTextureRect(), sf::IntRect(0, 117, 113, 117));

    // Paused while he leaves: he slides on but neither fades nor opens the way.
    const int alpha = game.mopperSprites[0].getColor().a;
    game.paused = 1;
    tick(driver, 100);
    EXPECT_EQ(game.mopperSprites[0].getColor().a, alpha);
    EXPECT_EQ(game.pathOpenPhase, 1);
    game.paused = 0;

    const float leaving = game.now;
    ASSERT_TRUE(tickUntil(
        driver,
        [&] {
            EXPECT_EQ(game.spawnedInWave, 0) << "nobody comes before the way is open";
            return game.pathOpenPhase == -1;
        },
        6));
    EXPECT_NEAR(game.now - leaving, 3.3, 0.1) << "35 steps of 0.1 s, two before the pause";
    EXPECT_EQ(game.mopperSprites[0].getColor().a, 10);
    const sf::Vector2f moved = game.mopperSprites[0].getPosition() - mopperStart;
    EXPECT_LT(moved.x, -500) << "up and to the left at 150 px/s";
    EXPECT_LT(moved.y, -250);
    EXPECT_FLOAT_EQ(game.waveClockStart, game.now);

    ASSERT_TRUE(tickUntil(
        driver, [] { return game.spawnedInWave == 1; }, 1));
    EXPECT_NEAR(waveTime(), 0.1, 0.011);
    EXPECT_EQ(game.customers.front().pathIndex, 2);
    EXPECT_EQ(game.customers.front().type, BusinessMan);

    // Once open, nothing of the obstacle is queued any more.
    Renderer& renderer = frameRenderer();
    renderer.queue.clear();
    queueObstacleSprites(game, renderer);
    EXPECT_TRUE(renderer.queue.empty());

    // A restart brings the sign and the mopping man back, opaque.
    start(2);
    EXPECT_EQ(game.mopperSprites[0].getColor().a, 255);
    EXPECT_EQ(game.obstacleActive, 1);
    renderer.queue.clear();
    queueObstacleSprites(game, renderer);
    EXPECT_EQ(renderer.queue.size(), 2u);
}

TEST_F(Level, BinsFollowTheCustomersGoneAndPropsAnimate) {
    start(1);
    Decoration* bin = nullptr;
    Decoration* kiosk = nullptr;
    Decoration* eater = nullptr;
    for (Decoration& prop : game.decorations) {
        if (prop.kind == 5)
            bin = &prop;
        if (prop.kind == 0)
            kiosk = &prop; // ends on the first kiosk created
        if (prop.kind == 3)
            eater = &prop;
    }
    ASSERT_TRUE(bin && kiosk && eater);
    const int columns[][2] = {{0, 0}, {4, 0}, {5, 1}, {14, 2}, {19, 3}, {20, 4}, {57, 4}};
    for (const auto& pair : columns) {
        game.exitedCount = pair[0];
        animateDecorations();
        EXPECT_EQ(bin->frameRect.left, 60 * pair[1]) << pair[0] << " gone";
    }

    // A kiosk rests 2 s, then flips three frames on three updates in a row, then rests.
    const float start = game.now;
    tickUntil(
        driver, [&] { return kiosk->frame != 0; }, 3);
    EXPECT_NEAR(game.now - start, 2.0, 0.02);
    tick(driver, 2);
    EXPECT_EQ(kiosk->frame, 3);
    EXPECT_EQ(kiosk->frameRect.left, 3 * 48);
    tick(driver, 50);
    EXPECT_EQ(kiosk->frame, 3);
    EXPECT_GE(kiosk->pauseLength, 3.0f);

    // The eating client shows row 1 and moves on every 0.1 s.
    EXPECT_EQ(eater->frameRect.top, 179);
    const int frame = eater->frame;
    tick(driver, 11);
    EXPECT_EQ(eater->frame, (frame + 1) % 11);
}

// Every wave of every map, played with no tower at double speed: every customer spawns,
// walks out, the next wave follows and the level ends decided.
TEST(LevelRun, EveryWaveOfEveryMapEndsWithTheRoomEmptyAndTheLevelDecided) {
    FrameDriver driver(1.0 / 30.0);
    const int sizes[4][7] = {
        {}, {3, 6, 10, 10, 10}, {4, 6, 8, 8, 9, 12, 10}, {4, 8, 10, 8, 11, 14, 20}};
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        driver.startLevel(level);
        game.tutorialEnabled = 0;
        game.gameSpeed = 2;
        int spawned[8] = {};
        int idsSeen = 0;
        const bool finished = tickUntil(
            driver,
            [&] {
                skipCountdown();
                spawned[game.wave] = game.spawnedInWave > spawned[game.wave] ? game.spawnedInWave
                                                                             : spawned[game.wave];
                idsSeen = game.nextCustomerId - 1;
                return game.levelWon == 1 || game.levelLost == 1 ||
                       (game.wave == game.waveCount && game.customers.empty() &&
                        game.spawnedInWave == sizes[level][game.waveCount - 1]);
            },
            600);
        ASSERT_TRUE(finished) << "stuck in wave " << game.wave << " with " << game.customers.size()
                              << " customers left";
        tick(driver);
        int total = 0;
        for (int w = 1; w <= game.waveCount; ++w) {
            EXPECT_EQ(spawned[w], sizes[level][w - 1]) << "wave " << w;
            total += sizes[level][w - 1];
        }
        EXPECT_EQ(idsSeen, total);
        EXPECT_EQ(game.wave, game.waveCount);
        EXPECT_TRUE(game.customers.empty());
        EXPECT_EQ(game.exitedCount, total);
        EXPECT_EQ(endWave(sizes[level][game.waveCount - 1]), 1);
        EXPECT_TRUE(game.levelWon == 1 || game.levelLost == 1);
        game.levelWon = game.levelLost = 0;
    }
}

// Pictures of each room in the middle of a wave, for a look by eye:
// gobbler_tests --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
TEST(LevelPictures, DISABLED_ScreenshotsMidWave) {
    FrameDriver driver(1.0 / 30.0);
    struct Shot {
        int level, wave;
        unsigned customers;
        const char* name;
    };
    const Shot shots[] = {{1, 3, 6, "map1_wave3"},
                          {2, 2, 4, "map2_wave2"},
                          {3, 4, 0, "map3_wave4_opening"},
                          {3, 4, 6, "map3_wave4_short_ways"}};
    for (const Shot& shot : shots) {
        driver.startLevel(shot.level);
        game.tutorialEnabled = 0;
        game.gameSpeed = 2;
        game.wave = shot.wave;
        game.RatingScore = 6;
        tickUntil(
            driver,
            [&] {
                skipCountdown();
                if (shot.customers == 0)
                    return game.pathOpenPhase == 1 && game.mopperSprites[0].getColor().a < 150;
                return game.customers.size() >= shot.customers ||
                       static_cast<unsigned>(game.spawnedInWave) >= shot.customers;
            },
            60);
        driver.frames(3);
        driver.screenshot(std::string(GOBBLER_SOURCE_DIR) + "/out/" + shot.name + ".png");
    }
}
