// Every route of every map, walked by every kind of customer with the game's own customer
// update: it must reach the way out in bounded time and never leave the path image.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/records.h"
#include "support/frame_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct Route {
    int level;     // currentLevel that plays the map
    int pathIndex; // slot of the path image
    bool second;   // from the second entrance
    int direction; // starting direction there
    const char* file;
};

const Route routes[] = {
    {1, 0, false, DownRight, "lvl_1 collision chemin1.jpg"},
    {2, 0, false, UpLeft, "lvl_2 collision chemin1.jpg"},
    {2, 2, false, UpLeft, "lvl_2 collision chemin2_fast.jpg"},
    {3, 0, false, UpRight, "lvl_3 collision chemin 1.jpg"},
    {3, 1, true, DownLeft, "lvl_3 collision chemin 2.jpg"},
    {3, 2, false, UpRight, "lvl_3 collision chemin 1_fast.jpg"},
    {3, 3, true, DownLeft, "lvl_3 collision chemin 2_fast.jpg"},
};

struct Walk {
    bool reached = false;
    bool stayedInside = true;
    double seconds = 0;
    float lastX = 0, lastY = 0;
};

// Walks one customer alone along a route with frames of the given length.
Walk walkRoute(const Route& route, int type, int speed, double frameSeconds) {
    Walk result;
    game.crowd.customers.clear();
    game.waveClock.gameSpeed = speed;
    const sf::Vector2f start = route.second ? game.level.secondEntrance : game.level.entrance;
    spawnCustomer(type, route.direction, route.pathIndex, start.x, start.y);
    const sf::Vector2u size = game.crowd.collisionMaps[route.pathIndex]->getSize();
    const double limit = 120.0;
    while (result.seconds < limit) {
        result.seconds += frameSeconds;
        game.clock.now = static_cast<float>(100.0 + result.seconds);
        game.clock.frameDelta = static_cast<float>(frameSeconds);
        const Customer& c = game.crowd.customers.front();
        result.lastX = c.x;
        result.lastY = c.y;
        updateCustomers();
        if (game.crowd.customers.empty()) {
            result.reached = true;
            break;
        }
        const Customer& after = game.crowd.customers.front();
        if (after.x < 0 || after.y < 0 || after.x > size.x || after.y > size.y) {
            result.stayedInside = false;
            result.lastX = after.x;
            result.lastY = after.y;
            break;
        }
    }
    return result;
}

class Paths : public ::testing::Test {
  protected:
    void SetUp() override { game.progress.tutorialEnabled = 0; }
    FrameDriver driver;
};

bool routeImageReady(const Route& route) {
    game.shared.currentLevel = route.level;
    setupCurrentLevel();
    return game.crowd.collisionMaps[route.pathIndex] != nullptr;
}

} // namespace

TEST_F(Paths, EveryCustomerReachesTheExitOfEveryRouteAtBothSpeeds) {
    int walked = 0;
    for (const Route& route : routes) {
        if (!routeImageReady(route)) {
            ADD_FAILURE() << "path image missing: " << route.file;
            continue;
        }
        for (int type = 0; type < CustomerTypeCount; ++type) {
            for (int speed : {1, 2}) {
                const Walk walk = walkRoute(route, type, speed, 1.0 / 60.0);
                EXPECT_TRUE(walk.stayedInside)
                    << route.file << " type " << type << " speed " << speed << " left at ("
                    << walk.lastX << ", " << walk.lastY << ")";
                EXPECT_TRUE(walk.reached)
                    << route.file << " type " << type << " speed " << speed << " stuck near ("
                    << walk.lastX << ", " << walk.lastY << ")";
                ++walked;
            }
        }
    }
    EXPECT_EQ(walked, 7 * 4 * 2);
}

// A busy machine can deliver frames of a quarter second or more: nobody may step over a turn
// or the way out and wander off the map, which would leave the wave unfinished for ever.
TEST_F(Paths, LongFramesStillFollowEveryRoute) {
    for (const Route& route : routes) {
        if (!routeImageReady(route))
            GTEST_SKIP() << "path image missing: " << route.file;
        for (double frame : {0.1, 0.25, 0.7}) {
            const Walk walk = walkRoute(route, BusinessMan, 2, frame);
            EXPECT_TRUE(walk.reached && walk.stayedInside)
                << route.file << " with frames of " << frame << " s ended at (" << walk.lastX
                << ", " << walk.lastY << ")";
        }
    }
}
