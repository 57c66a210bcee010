// A whole in-game update (towers, projectiles, customers) on the third map, with sixteen
// towers of every type and level around a crowd of hungry customers.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

// A tower of the given type and level on a pedestal, as if built and upgraded there.
void placeTower(TowerSlot& slot, int type, int level) {
    slot.occupied = 1;
    game.defence.selectedSlot = &slot;
    Tower& tower = buildTower(type, slot.facing, slot.x, slot.y);
    tower.level = level;
    tower.stats = game.defence.towerCatalogue[type][level];
    showRangeDisc(tower, tower.stats.rangeTexture);
}

// withCustomers: the whole in-game update, or the towers' share alone (towers, projectiles).
void runCrowdUpdate(benchmark::State& state, bool withCustomers) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    game.waveClock.countdown = 100000; // no wave of the script joins the crowd
    game.waveClock.paused = 0;

    // The third map's sixteen pedestals (or a block of our own if the map has fewer), each
    // with a tower, every type and level represented.
    for (int i = static_cast<int>(game.level.slots.size()); i < 16; ++i) {
        game.level.slots.emplace_front();
        game.level.slots.front().x = 830 + 60.0f * (i % 4);
        game.level.slots.front().y = 440 + 40.0f * (i / 4);
    }
    std::vector<TowerSlot*> pedestals;
    for (TowerSlot& slot : game.level.slots)
        pedestals.push_back(&slot);
    pedestals.resize(16);
    for (int i = 0; i < 16; ++i)
        placeTower(*pedestals[i], i % 3, (i / 3) % 3);
    game.defence.selectedSlot = nullptr;

    // The crowd stands around the pedestals, inside the range of the tower on each.
    const int count = static_cast<int>(state.range(0));
    std::vector<std::pair<Customer*, sf::Vector2f>> crowd;
    for (int i = 0; i < count; ++i) {
        const TowerSlot& near = *pedestals[i % 16];
        const int k = i / 16;
        const sf::Vector2f at(near.x - 90 + 30.0f * (k % 7), near.y + 20 + 10.0f * (k / 7));
        Customer& customer = spawnCustomer(i % CustomerTypeCount, i % 4, 0, at.x, at.y);
        customer.appetite = 1 << 30; // never full: every tower keeps attacking
        crowd.push_back({&customer, at});
    }
    const float frame = 1.0f / 60.0f;
    game.clock.frameDelta = frame;
    for (auto _ : state) {
        // Everyone back on their spot, as if the crowd queued there.
        for (auto& member : crowd) {
            member.first->x = member.first->pathX = member.second.x;
            member.first->y = member.first->pathY = member.second.y;
            member.first->hasExited = 0;
        }
        game.clock.prevNow = game.clock.now;
        game.clock.now += frame;
        updateTowers();
        updateProjectiles();
        if (withCustomers)
            updateCustomers();
        benchmark::DoNotOptimize(game.defence.projectiles.size());
        if (game.crowd.customers.size() != crowd.size()) {
            state.SkipWithError("a customer left the crowd");
            break;
        }
    }
    long long food = 0;
    for (const Customer& customer : game.crowd.customers)
        food += customer.fed;
    state.counters["food/frame"] = static_cast<double>(food) / state.iterations();
    state.counters["pedestals"] = static_cast<double>(game.level.slots.size());
    state.counters["towers"] = static_cast<double>(game.defence.towers.size());
    state.counters["customers"] = static_cast<double>(game.crowd.customers.size());
}

void BM_InGameUpdate(benchmark::State& state) {
    runCrowdUpdate(state, true);
}

void BM_TowersAndProjectiles(benchmark::State& state) {
    runCrowdUpdate(state, false);
}

} // namespace

BENCHMARK(BM_InGameUpdate)
    ->Arg(20)
    ->Arg(100)
    ->Iterations(500)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TowersAndProjectiles)
    ->Arg(20)
    ->Arg(100)
    ->Iterations(500)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
