// Levels and waves: map set-ups, restarts, the wave clock and its spawns, the map-1 door, the
// obstacle wave, the props, and every wave of every map played to the end.
#include "customers/customers.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
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
    if (game.waveClock.countdownDone == 0 && game.waveClock.countdown > 0)
        game.waveClock.countdown = 0;
}

double waveTime() {
    return static_cast<double>(game.clock.now) - game.waveClock.waveClockStart;
}

// Spawn times of the running wave, in seconds of real time since its clock started.
std::vector<double> spawnTimes(FrameDriver& driver, int count, double limit) {
    std::vector<double> times;
    int seen = game.waves.spawnedInWave;
    tickUntil(
        driver,
        [&] {
            if (game.waves.spawnedInWave != seen) {
                seen = game.waves.spawnedInWave;
                times.push_back(waveTime());
            }
            return static_cast<int>(times.size()) >= count;
        },
        limit);
    return times;
}

class Level : public ::testing::Test {
  protected:
    Level() : driver(1.0 / 100.0) { game.progress.tutorialEnabled = 0; }
    void start(int level) {
        driver.startLevel(level);
        game.progress.tutorialEnabled = 0;
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
        EXPECT_EQ(game.level.mapNumber, m.mapNumber);
        EXPECT_EQ(game.level.slots.size(), static_cast<size_t>(m.slots));
        EXPECT_EQ(game.level.decorations.size(), static_cast<size_t>(m.props));
        EXPECT_EQ(game.rating.money, m.money);
        EXPECT_EQ(game.level.waveCount, m.waves);
        EXPECT_FLOAT_EQ(game.rating.levelObjective, m.objective);
        EXPECT_EQ(game.level.entrance, m.entrance);
        EXPECT_EQ(game.level.mapSprite.getTexture(), game.level.mapTextures[m.mapNumber]);
        EXPECT_EQ(game.waveClock.countdown, 10);
        EXPECT_EQ(game.waves.wave, 1);
        // Every map steers towers towards its own way out.
        const sf::Vector2f goal = game.level.goalPoint;
        const CollisionMap* path = game.crowd.collisionMaps[0];
        ASSERT_NE(path, nullptr);
        EXPECT_TRUE(goal.x > 0 && goal.x < path->getSize().x && goal.y > 900) << goal.x;
    }
    start(1);
    EXPECT_EQ(game.level.goalPoint, sf::Vector2f(513, 1072));
    EXPECT_EQ(game.level.slots.front().facing, 3) << "newest first: the last pedestal is the head";
    EXPECT_EQ(game.level.slots.front().sprite.getPosition(), sf::Vector2f(946, 930));
    EXPECT_EQ(game.crowd.collisionMaps[0], game.level.pathImages[0]);

    start(2);
    EXPECT_EQ(game.crowd.collisionMaps[0], game.level.pathImages[1]);
    EXPECT_EQ(game.crowd.collisionMaps[2], game.level.pathImages[4]);
    EXPECT_EQ(game.obstacle.signSprites[0].getPosition(), sf::Vector2f(709.5f, 728));

    start(3);
    EXPECT_EQ(game.level.secondEntrance, sf::Vector2f(741, 0));
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(game.crowd.collisionMaps[slot],
                  game.level.pathImages[slot < 2 ? 2 + slot : 3 + slot]);
    EXPECT_EQ(game.obstacle.mopperSprites[0].getPosition(),
              game.obstacle.mopperSprites[1].getPosition());
    EXPECT_EQ(game.level.decorations.back().x, -18.0f) << "oldest prop is the first created";
}

TEST_F(Level, RestartLeavesNothingOfThePreviousRun) {
    start(1);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.crowd.customers.size() >= 2; }, 10));
    game.defence.towers.emplace_front();
    game.defence.projectiles.emplace_front();
    game.defence.projectiles.front().target = &game.crowd.customers.front();
    game.level.slots.front().occupied = 1;
    game.waveClock.gameSpeed = 2;
    game.rating.exitedCount = 7;

    driver.startLevel(1);
    EXPECT_TRUE(game.crowd.customers.empty());
    EXPECT_TRUE(game.defence.towers.empty());
    EXPECT_TRUE(game.defence.projectiles.empty());
    EXPECT_EQ(game.level.slots.size(), 6u);
    EXPECT_EQ(game.level.slots.front().occupied, 0);
    EXPECT_EQ(game.level.decorations.size(), 9u);
    EXPECT_EQ(game.crowd.featuredCustomer, nullptr);
    EXPECT_EQ(game.defence.firstTarget, nullptr);
    EXPECT_EQ(game.waveClock.gameSpeed, 1);
    EXPECT_EQ(game.waveClock.countdown, 10);
    EXPECT_EQ(game.rating.exitedCount, 0);
    EXPECT_EQ(game.waves.wave, 1);
    EXPECT_EQ(game.waves.spawnedInWave, 0);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return !game.crowd.customers.empty(); }, 10));
    EXPECT_EQ(game.crowd.customers.front().id, 1);
}

TEST_F(Level, CountdownStepsOnceASecondAndStartsTheWaveClockOnce) {
    start(1);
    const float started = game.clock.now;
    tickUntil(
        driver, [] { return game.waveClock.countdown == 9; }, 2);
    EXPECT_NEAR(game.clock.now - started, 1.0, 0.011);
    // Paused, it holds; unpausing during the countdown adds no frozen time.
    const sf::Vector2f pause = game.hud.pauseButton.getPosition();
    driver.press(static_cast<int>(pause.x) + 20, static_cast<int>(pause.y) + 30);
    tick(driver, 2);
    driver.release();
    ASSERT_EQ(game.waveClock.paused, 1);
    tick(driver, 300);
    EXPECT_EQ(game.waveClock.countdown, 9);
    driver.press(static_cast<int>(pause.x) + 20, static_cast<int>(pause.y) + 30);
    tick(driver, 2);
    driver.release();
    ASSERT_EQ(game.waveClock.paused, 0);
    EXPECT_FLOAT_EQ(game.waveClock.pausedTotal, 0);
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waveClock.countdownDone == 1; }, 12));
    EXPECT_EQ(game.waveClock.countdown, 0);
    EXPECT_FLOAT_EQ(game.waveClock.waveClockStart, game.clock.now);
    const float clock = game.waveClock.waveClockStart;
    tick(driver, 150);
    EXPECT_EQ(game.waveClock.waveClockStart, clock) << "the wave clock starts once";
    EXPECT_LT(game.waveClock.countdown, 0) << "the count goes on below zero while the wave runs";
}

TEST_F(Level, Map1WaveSpawnsAtItsOffsetsHalvedAtDoubleSpeed) {
    start(1);
    skipCountdown();
    // The door opens one column per 0.1 s before the first spawn.
    std::vector<int> doorFrames;
    tickUntil(
        driver,
        [&] {
            if (doorFrames.empty() || doorFrames.back() != game.waves.doorFrame)
                doorFrames.push_back(game.waves.doorFrame);
            return game.waves.spawnedInWave > 0;
        },
        2);
    EXPECT_EQ(doorFrames, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(game.waves.doorSprite.getTextureRect(), sf::IntRect(4 * 149, 0, 149, 245));
    EXPECT_NEAR(waveTime(), 0.31, 0.03) << "the first customer waits for the open door";
    EXPECT_EQ(game.crowd.customers.front().type, Bachelor);
    EXPECT_EQ(game.crowd.customers.front().direction, DownRight);
    EXPECT_EQ(game.crowd.featuredCustomer, &game.crowd.customers.front());
    const std::vector<double> times = spawnTimes(driver, 2, 5);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_NEAR(times[0], 1.1, 0.011);
    EXPECT_EQ(game.waveClock.waveClockStart, game.clock.now)
        << "the last spawn restarts the clock for the door";
    EXPECT_EQ(game.waves.spawnedInWave, 3);

    // The door closes after the last spawn's delay (1.75 s after a Bachelor).
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waves.doorFrame == 3; }, 3));
    EXPECT_NEAR(waveTime(), 1.75, 0.02);

    start(1);
    game.waveClock.gameSpeed = 2;
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waves.spawnedInWave == 1; }, 2));
    const std::vector<double> fast = spawnTimes(driver, 2, 5);
    ASSERT_EQ(fast.size(), 2u);
    EXPECT_NEAR(fast[0], 0.55, 0.011);
}

TEST_F(Level, PausedTimeShiftsTheRemainingSpawns) {
    start(1);
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waves.spawnedInWave == 1; }, 2));
    const sf::Vector2f pause = game.hud.pauseButton.getPosition();
    const int px = static_cast<int>(pause.x) + 20, py = static_cast<int>(pause.y) + 30;
    driver.press(px, py);
    tick(driver);
    driver.release();
    tick(driver, 200); // two seconds frozen
    driver.press(px, py);
    tick(driver);
    driver.release();
    EXPECT_NEAR(game.waveClock.pausedTotal, 2.0, 0.03);
    const std::vector<double> times = spawnTimes(driver, 1, 5);
    ASSERT_EQ(times.size(), 1u);
    EXPECT_NEAR(times[0], 1.1 + 2.0, 0.03);
}

TEST_F(Level, NextCountdownStartsOnlyOnceTheRoomIsEmpty) {
    start(1);
    game.waveClock.gameSpeed = 2;
    skipCountdown();
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waves.spawnedInWave == 3; }, 5));
    tick(driver, 100);
    EXPECT_FALSE(game.crowd.customers.empty());
    EXPECT_EQ(game.waves.wave, 1);
    EXPECT_EQ(game.waveClock.countdownDone, 1);
    ASSERT_TRUE(tickUntil(
        driver, [] { return game.crowd.customers.empty(); }, 30));
    tick(driver);
    EXPECT_EQ(game.waves.wave, 2);
    EXPECT_EQ(game.waveClock.countdown, 10);
    EXPECT_EQ(game.waveClock.countdownDone, 0);
    EXPECT_EQ(game.waves.spawnedInWave, 0);
    EXPECT_EQ(game.rating.exitedCount, 3);
}

TEST_F(Level, ObstacleWaveOpensTheShortWayOnlyOnceTheMopperHasFaded) {
    start(2);
    game.waves.wave = 3;
    skipCountdown();
    tick(driver);
    EXPECT_EQ(game.obstacle.obstacleActive, 0);
    EXPECT_EQ(game.obstacle.pathOpenPhase, 1);
    const sf::Vector2f mopperStart = game.obstacle.mopperSprites[0].getPosition();
    // He may set off on his last mopping frame: the walk still stays on its four frames.
    game.obstacle.mopperFrame[0] = 4;
    game.obstacle.mopperFrameTime[0] = -1.0f;
    tick(driver);
    EXPECT_EQ(game.obstacle.mopperSprites[0].getTextureRect(), sf::IntRect(0, 117, 113, 117));

    // Paused while he leaves: he slides on but neither fades nor opens the way.
    const int alpha = game.obstacle.mopperSprites[0].getColor().a;
    game.waveClock.paused = 1;
    tick(driver, 100);
    EXPECT_EQ(game.obstacle.mopperSprites[0].getColor().a, alpha);
    EXPECT_EQ(game.obstacle.pathOpenPhase, 1);
    game.waveClock.paused = 0;

    const float leaving = game.clock.now;
    ASSERT_TRUE(tickUntil(
        driver,
        [&] {
            EXPECT_EQ(game.waves.spawnedInWave, 0) << "nobody comes before the way is open";
            return game.obstacle.pathOpenPhase == -1;
        },
        6));
    EXPECT_NEAR(game.clock.now - leaving, 3.3, 0.1) << "35 steps of 0.1 s, two before the pause";
    EXPECT_EQ(game.obstacle.mopperSprites[0].getColor().a, 10);
    const sf::Vector2f moved = game.obstacle.mopperSprites[0].getPosition() - mopperStart;
    EXPECT_LT(moved.x, -500) << "up and to the left at 150 px/s";
    EXPECT_LT(moved.y, -250);
    EXPECT_FLOAT_EQ(game.waveClock.waveClockStart, game.clock.now);

    ASSERT_TRUE(tickUntil(
        driver, [] { return game.waves.spawnedInWave == 1; }, 1));
    EXPECT_NEAR(waveTime(), 0.1, 0.011);
    EXPECT_EQ(game.crowd.customers.front().pathIndex, 2);
    EXPECT_EQ(game.crowd.customers.front().type, BusinessMan);

    // Once open, nothing of the obstacle is queued any more.
    Renderer& renderer = frameRenderer();
    renderer.queue.clear();
    queueObstacleSprites(game, renderer);
    EXPECT_TRUE(renderer.queue.empty());

    // A restart brings the sign and the mopping man back, opaque.
    start(2);
    EXPECT_EQ(game.obstacle.mopperSprites[0].getColor().a, 255);
    EXPECT_EQ(game.obstacle.obstacleActive, 1);
    renderer.queue.clear();
    queueObstacleSprites(game, renderer);
    EXPECT_EQ(renderer.queue.size(), 2u);
}

TEST_F(Level, BinsFollowTheCustomersGoneAndPropsAnimate) {
    start(1);
    Decoration* bin = nullptr;
    Decoration* kiosk = nullptr;
    Decoration* eater = nullptr;
    for (Decoration& prop : game.level.decorations) {
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
        game.rating.exitedCount = pair[0];
        animateDecorations();
        EXPECT_EQ(bin->frameRect.left, 60 * pair[1]) << pair[0] << " gone";
    }

    // A kiosk rests 2 s, then flips three frames on three updates in a row, then rests.
    const float start = game.clock.now;
    tickUntil(
        driver, [&] { return kiosk->frame != 0; }, 3);
    EXPECT_NEAR(game.clock.now - start, 2.0, 0.02);
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

namespace {

// One customer of a wave's timetable.
struct Arrival {
    double offset; // seconds on the wave clock
    int type;
    int path;
    int entrance;  // 0: the map's entrance; 1: the second entrance of map 3
    bool featured; // the tutorial's light moves to this customer
    bool paired;   // arrives in the same update as the one before (a pair from both entrances)
};

// A wave as the designers wrote it: steps "offset who" separated by commas. Who is a letter
// per customer (B Bachelor, F Family, E BigEater, M BusinessMan), then its path when it is
// not its entrance's usual one (0 for the entrance, 1 for the second entrance), then * when
// the light moves to it. "X+Y" is a pair, X from the entrance and Y from the second
// entrance; "+Y" is Y alone from the second entrance.
std::vector<Arrival> timetable(const std::string& wave) {
    std::vector<Arrival> arrivals;
    std::istringstream steps(wave);
    std::string step;
    while (std::getline(steps, step, ',')) {
        std::istringstream in(step);
        double offset = 0;
        std::string who;
        in >> offset >> who;
        int entrance = 0;
        bool paired = false;
        for (const char c : who) {
            if (c == '+')
                entrance = 1;
            else if (c == '*')
                arrivals.back().featured = true;
            else if (c >= '0' && c <= '9')
                arrivals.back().path = c - '0';
            else {
                const int type = static_cast<int>(std::string("BFEM").find(c));
                arrivals.push_back({offset, type, entrance, entrance, false, paired});
                paired = true;
            }
        }
    }
    return arrivals;
}

const char* const waveTables[3][7] = {
    {"0.1 B*, 1.1 B, 2.1 B", "0.1 B, 1.1 B, 2.1 M*, 3.1 B, 4.1 B, 5.1 M",
     "0.1 F*, 1.1 B, 2.1 B, 3.1 M, 4.1 B, 5.1 B, 6.1 B, 7.1 M, 8.1 B, 9.1 B",
     "0.1 M, 1.1 E*, 2.1 E, 3.1 M, 4.1 F, 5.1 F, 6.1 E, 7.1 M, 8.1 B, 9.1 E",
     "0.1 E, 1.1 E, 2.1 M, 3.1 F, 4.1 B, 5.1 B, 6.1 F, 7.1 F, 8.1 E, 9.1 M"},
    {"0.1 B, 1.1 E, 2.1 B, 3.1 M", "1.1 M, 2.1 M, 3.1 E, 4.1 B, 5.1 B, 6.1 E",
     "0.1 M2, 1.1 B2, 2.1 B, 3.1 B2, 4.1 M, 5.1 E2, 6.1 M2, 7.1 F",
     "0.1 F, 1.1 B, 2.1 B, 4.5 E2, 5.5 E, 6.5 B2, 7.5 E, 8.5 E",
     "0.1 E2, 1.1 F2, 2.1 M2, 3.1 B2, 4.1 E2, 4.6 E, 5.1 B2, 5.6 M2, 6.1 E2",
     "0.1 E2, 1.1 F2, 1.5 F2, 2.0 F2, 2.5 M2, 3.1 B, 4.1 E2, 4.6 E, 5.1 B2, 5.8 E, 6.5 E, 7.2 B2",
     "0.1 E2, 1.1 F2, 2.1 F2, 3.1 E2, 3.6 E, 4.1 B2, 5.1 E2, 6.1 E2, 7.0 M2, 7.5 B2"},
    {"0.1 M, 1.1 E, 2.5 B, 3.8 B", "0.1 M+M, 1.5 B+B, 2.8 B+M, 3.8 M+B",
     "0.1 M+M, 1.5 M+E, 3.1 F+M, 4.5 E+B, 5.5 B+B", "0.1 M2+M3, 1.1 B2+F, 2.1 E2+B, 3.1 B+E",
     "0.1 E+B, 1.1 E2+B3, 2.1 E+B, 3.1 B+E, 4.1 E2+M3, 4.1 +E",
     "0.1 M2+M3, 1.1 B+B, 2.1 B+B, 3.1 E+E, 4.1 E+E, 5.1 E2+E3, 6.1 E2+E3",
     "0.1 M2+M3, 1.1 B+B, 2.1 B+B, 3.1 E+E, 4.1 B+B, 5.1 E2+E3, 6.1 E2+E3, 7.1 E2+E3, "
     "8.1 E+B, 9.1 B+E"}};

// Where each entrance's customers first face, by map.
const int entranceDirections[3][2] = {
    {DownRight, DownRight}, {UpLeft, UpLeft}, {UpRight, DownLeft}};

struct SeenArrival {
    double time; // wave clock, game seconds
    int type, path, direction, entrance;
    bool featured;
};

} // namespace

// Every wave of every map, played with no tower at double speed: each customer arrives as
// the timetable says (time, type, path, entrance, direction, the light), the room empties,
// the next wave follows and the level ends decided.
TEST(LevelRun, EveryWaveOfEveryMapKeepsItsTimetableAndTheLevelEndsDecided) {
    const int speed = 2;
    const double fine = 1.0 / 120.0, coarse = 1.0 / 30.0;
    FrameDriver driver(coarse);
    const int sizes[3][7] = {
        {3, 6, 10, 10, 10}, {4, 6, 8, 8, 9, 12, 10}, {4, 8, 10, 8, 11, 14, 20}};
    for (int map = 1; map <= 3; ++map) {
        SCOPED_TRACE("map " + std::to_string(map));
        driver.startLevel(map);
        game.progress.tutorialEnabled = 0;
        game.waveClock.gameSpeed = speed;
        game.crowd.featuredPending = 1; // the light is placed: only a marked arrival moves it
        std::vector<std::vector<SeenArrival>> seen(8);
        int nextId = 1;
        const double end = driver.clockSeconds + 600;
        while (game.rating.levelWon == 0 && game.rating.levelLost == 0 &&
               driver.clockSeconds < end) {
            // The countdown is cut short once the map-1 door has come to rest, as it has
            // after a whole countdown.
            if (game.clock.now - game.waves.doorFrameTime > 0.1f)
                skipCountdown();
            // Short frames while a wave arrives, so its times are read closely.
            driver.frameSeconds =
                game.waves.spawnedInWave < sizes[map - 1][game.waves.wave - 1] ? fine : coarse;
            const float clockStart = game.waveClock.waveClockStart;
            const Customer* light = game.crowd.featuredCustomer;
            tick(driver);
            std::vector<const Customer*> fresh; // oldest first
            for (const Customer& c : game.crowd.customers)
                if (c.id >= nextId)
                    fresh.insert(fresh.begin(), &c);
            for (const Customer* c : fresh) {
                const sf::Vector2f at(c->x, c->y);
                const int entrance = at == game.level.entrance         ? 0
                                     : at == game.level.secondEntrance ? 1
                                                                       : -1;
                seen[game.waves.wave].push_back(
                    {(static_cast<double>(game.clock.now) - clockStart) * speed, c->type,
                     c->pathIndex, c->direction, entrance,
                     game.crowd.featuredCustomer == c && light != c});
            }
            nextId = game.crowd.nextCustomerId;
        }
        ASSERT_TRUE(game.rating.levelLost == 1) << "stuck in wave " << game.waves.wave << " with "
                                                << game.crowd.customers.size() << " customers left";

        int total = 0;
        for (int w = 1; w <= game.level.waveCount; ++w) {
            SCOPED_TRACE("wave " + std::to_string(w));
            const std::vector<Arrival> expected = timetable(waveTables[map - 1][w - 1]);
            const std::vector<SeenArrival>& got = seen[w];
            EXPECT_EQ(static_cast<int>(expected.size()), sizes[map - 1][w - 1]);
            ASSERT_EQ(got.size(), expected.size());
            total += static_cast<int>(got.size());
            for (std::size_t k = 0; k < got.size(); ++k) {
                const Arrival& e = expected[k];
                const SeenArrival& g = got[k];
                SCOPED_TRACE("arrival " + std::to_string(k + 1));
                EXPECT_EQ(g.type, e.type);
                EXPECT_EQ(g.path, e.path);
                EXPECT_EQ(g.entrance, e.entrance);
                EXPECT_EQ(g.direction, entranceDirections[map - 1][e.entrance]);
                EXPECT_EQ(g.featured, e.featured);
                if (e.paired) {
                    EXPECT_EQ(g.time, got[k - 1].time) << "both halves of a pair arrive together";
                    continue;
                }
                // Due once its offset has passed, and never in the same update as the
                // arrival before it; the first of a map-1 wave waits for the door's four
                // columns, 0.1 s apart.
                const bool door = map == 1 && k == 0;
                const double due = door ? std::max(e.offset, 0.3) : e.offset;
                const double late = (door ? 4 : 1) * speed * (fine + 0.001) + 1e-4;
                if (k > 0) {
                    EXPECT_GT(g.time, got[k - 1].time);
                }
                const double after = k > 0 ? std::max(due, got[k - 1].time) : due;
                EXPECT_GT(g.time, due - 1e-4);
                EXPECT_LE(g.time, after + late) << "due at " << due;
            }
        }
        EXPECT_EQ(game.crowd.nextCustomerId - 1, total);
        EXPECT_EQ(game.waves.wave, game.level.waveCount);
        EXPECT_TRUE(game.crowd.customers.empty());
        EXPECT_EQ(game.rating.exitedCount, total);
        EXPECT_EQ(endWave(sizes[map - 1][game.level.waveCount - 1]), 1);
        game.rating.levelWon = game.rating.levelLost = 0;
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
        game.progress.tutorialEnabled = 0;
        game.waveClock.gameSpeed = 2;
        game.waves.wave = shot.wave;
        game.rating.RatingScore = 6;
        tickUntil(
            driver,
            [&] {
                skipCountdown();
                if (shot.customers == 0)
                    return game.obstacle.pathOpenPhase == 1 &&
                           game.obstacle.mopperSprites[0].getColor().a < 150;
                return game.crowd.customers.size() >= shot.customers ||
                       static_cast<unsigned>(game.waves.spawnedInWave) >= shot.customers;
            },
            60);
        driver.frames(3);
        driver.screenshot(std::string(GOBBLER_SOURCE_DIR) + "/out/" + shot.name + ".png");
    }
}
