// The customers' share of a frame on the third map (side-steps, walking, animation) plus the
// world pass's queue and sort, with 20, 100 and 500 customers walking its routes; and the
// set-up of each map, which must never make starting a level stutter.
#include "customers/customers.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Spot {
    int type, pathIndex;
    float x, y;
    int direction;
};

// Points along every route of the map, one per frame of a customer walking it alone, without
// the last second before the exit (so nobody leaves during the measure).
std::vector<Spot> routePoints() {
    struct Start {
        int pathIndex, direction;
        bool second;
    };
    const Start starts[] = {
        {0, UpRight, false}, {1, DownLeft, true}, {2, UpRight, false}, {3, DownLeft, true}};
    std::vector<Spot> points;
    const float frame = 1.0f / 60.0f;
    for (const Start& start : starts) {
        if (!game.crowd.collisionMaps[start.pathIndex])
            continue;
        game.crowd.customers.clear();
        const sf::Vector2f at = start.second ? game.level.secondEntrance : game.level.entrance;
        spawnCustomer(Bachelor, start.direction, start.pathIndex, at.x, at.y);
        std::vector<Spot> route;
        for (int i = 0; i < 60 * 60 && !game.crowd.customers.empty(); ++i) {
            const Customer& c = game.crowd.customers.front();
            route.push_back({Bachelor, c.pathIndex, c.x, c.y, c.direction});
            game.clock.now += frame;
            game.clock.frameDelta = frame;
            updateCustomers();
        }
        if (route.size() > 60)
            route.resize(route.size() - 60);
        points.insert(points.end(), route.begin(), route.end());
    }
    game.crowd.customers.clear();
    return points;
}

// A crowd of `count` spread evenly along the routes, every type; empty without path images.
std::vector<Spot> spawnCrowd(int count) {
    const std::vector<Spot> points = routePoints();
    std::vector<Spot> crowd;
    for (int i = 0; i < count && !points.empty(); ++i) {
        Spot spot = points[(points.size() * i) / count];
        spot.type = i % CustomerTypeCount;
        crowd.push_back(spot);
        spawnCustomer(spot.type, spot.direction, spot.pathIndex, spot.x, spot.y);
    }
    return crowd;
}

// The third map running with no lesson and a countdown that never ends, and a crowd of the
// benchmark's size on it; empty (the benchmark skipped) without path images.
std::vector<Spot> crowdOnMap3(FrameDriver& driver, benchmark::State& state) {
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    game.waveClock.countdown = 100000;
    std::vector<Spot> crowd = spawnCrowd(static_cast<int>(state.range(0)));
    if (crowd.empty())
        state.SkipWithError("no path images");
    return crowd;
}

// Everyone back on their spot (the list is newest first), so the crowd stays the same from one
// frame to the next.
void putCrowdBack(const std::vector<Spot>& crowd) {
    auto spot = crowd.rbegin();
    for (Customer& c : game.crowd.customers) {
        c.x = c.pathX = spot->x;
        c.y = c.pathY = spot->y;
        c.direction = spot->direction;
        ++spot;
    }
}

// The world pass without the window: everything it queues, then the sort.
void queueAndSortWorld() {
    Renderer& renderer = frameRenderer();
    renderer.queue.clear();
    advanceObstacles();
    refreshCustomerSprites();
    if (game.shared.currentLevel == 2 || game.shared.currentLevel == 3)
        queueObstacleSprites(game, renderer);
    for (const Tower& tower : game.defence.towers)
        queueItem(renderer, tower.sprite, tower.sprite.getPosition(), tower.y);
    for (const Decoration& prop : game.level.decorations)
        queueItem(renderer, prop.sprite, {prop.x, prop.y}, prop.y);
    queueCustomerSprites(game, renderer);
    sortDrawQueue(renderer);
}

void BM_CustomersAndWorldQueue(benchmark::State& state) {
    FrameDriver driver;
    const std::vector<Spot> crowd = crowdOnMap3(driver, state);
    if (crowd.empty())
        return;
    const float frame = 1.0f / 60.0f;
    for (auto _ : state) {
        putCrowdBack(crowd);
        game.clock.now += frame;
        game.clock.frameDelta = frame;
        updateCustomers();
        queueAndSortWorld();
        benchmark::DoNotOptimize(frameRenderer().queue.data());
    }
    state.counters["customers"] = static_cast<double>(game.crowd.customers.size());
    state.counters["queued"] = static_cast<double>(frameRenderer().queue.size());
}
// The customers' update alone (side-steps, walking, animation): crowds must never matter.
void BM_CustomerUpdate(benchmark::State& state) {
    FrameDriver driver;
    const std::vector<Spot> crowd = crowdOnMap3(driver, state);
    if (crowd.empty())
        return;
    const float frame = 1.0f / 60.0f;
    for (auto _ : state) {
        state.PauseTiming();
        putCrowdBack(crowd);
        state.ResumeTiming();
        game.clock.now += frame;
        game.clock.frameDelta = frame;
        updateCustomers();
    }
    state.counters["customers"] = static_cast<double>(game.crowd.customers.size());
}

// Fixed iteration counts, wall and process CPU (every thread), so runs compare one to one.
BENCHMARK(BM_CustomersAndWorldQueue)
    ->Arg(20)
    ->Arg(100)
    ->Arg(500)
    ->Arg(2000)
    ->Iterations(300)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomerUpdate)
    ->Arg(100)
    ->Arg(2000)
    ->Iterations(300)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// fromSelection: the level music is silent before the set-up, as when a level is chosen from
// the level selection; otherwise the set-up restarts the playing music (in-game menu restart).
void runMapSetUp(benchmark::State& state, bool fromSelection) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    game.shared.currentLevel = static_cast<int>(state.range(0));
    setupCurrentLevel(); // the first set-up after start-up is like every later one
    for (auto _ : state) {
        if (fromSelection) {
            state.PauseTiming();
            for (MusicId music : {MusicLevel1, MusicLevel2, MusicLevel3})
                stopMusic(music);
            state.ResumeTiming();
        }
        setupCurrentLevel();
        benchmark::DoNotOptimize(game.level.slots.size());
    }
}
void BM_MapSetUpFromSelection(benchmark::State& state) {
    runMapSetUp(state, true);
}
void BM_MapRestart(benchmark::State& state) {
    runMapSetUp(state, false);
}
// A fixed count: once ran 13,237 iterations for two and a half minutes. Process CPU counts the
// music's streaming thread, which every set-up starts.
BENCHMARK(BM_MapSetUpFromSelection)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Iterations(100)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapRestart)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Iterations(100)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
