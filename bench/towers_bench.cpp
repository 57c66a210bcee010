// A whole in-game update (towers, projectiles, customers) on the third map, with sixteen
// towers of every type and level around a crowd of hungry customers.
#include "customers/customers.h"
#include "shell/game_state.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "towers/towers.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The game reads "../resources/" and may write its save: run from a private folder.
void enterPrivateFolder() {
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    const std::filesystem::path here = std::filesystem::current_path();
    if (here.filename() != "run" ||
        here.parent_path().filename().string().rfind("gobbler-test-", 0) != 0)
        enterSandbox(true);
}

// A tower of the given type and level standing on its own pedestal.
void placeTower(int type, int level, float x, float y) {
    game.slots.emplace_front();
    TowerSlot& slot = game.slots.front();
    slot.x = x;
    slot.y = y;
    slot.facing = (type == Fries && level == 2) ? 4 : (type + level) % 2;
    slot.occupied = 1;
    game.selectedSlot = &slot;
    Tower& tower = buildTower(type, slot.facing, x, y);
    tower.level = level;
    tower.stats = game.towerCatalogue[type][level];
    showRangeDisc(tower, tower.stats.rangeTexture);
}

// withCustomers: the whole in-game update, or the towers' share alone (towers, projectiles).
void runCrowdUpdate(benchmark::State& state, bool withCustomers) {
    enterPrivateFolder();
    FrameDriver driver;
    game.tutorialEnabled = 0;
    driver.startLevel(3);
    game.countdown = 100000; // no wave of the script joins the crowd
    game.paused = 0;

    // Sixteen towers in a 4 x 4 block, every type and level represented.
    for (int i = 0; i < 16; ++i)
        placeTower(i % 3, (i / 3) % 3, 830 + 60.0f * (i % 4), 440 + 40.0f * (i / 4));
    game.selectedSlot = nullptr;

    // The crowd stands in the middle of the block, inside every range disc.
    const int count = static_cast<int>(state.range(0));
    std::vector<std::pair<Customer*, sf::Vector2f>> crowd;
    for (int i = 0; i < count; ++i) {
        const sf::Vector2f at(895 + 2.5f * (i % 20), 480 + 6.0f * (i / 20));
        Customer& customer = spawnCustomer(i % CustomerTypeCount, i % 4, 0, at.x, at.y);
        customer.appetite = 1 << 30; // never full: every tower keeps attacking
        crowd.push_back({&customer, at});
    }

    const float frame = 1.0f / 60.0f;
    game.frameDelta = frame;
    for (auto _ : state) {
        // Everyone back on their spot, as if the crowd queued there.
        for (auto& member : crowd) {
            member.first->x = member.first->pathX = member.second.x;
            member.first->y = member.first->pathY = member.second.y;
            member.first->hasExited = 0;
        }
        game.prevNow = game.now;
        game.now += frame;
        updateTowers();
        updateProjectiles();
        if (withCustomers)
            updateCustomers();
        benchmark::DoNotOptimize(game.projectiles.size());
        if (game.customers.size() != crowd.size()) {
            state.SkipWithError("a customer left the crowd");
            break;
        }
    }
    state.counters["towers"] = static_cast<double>(game.towers.size());
    state.counters["customers"] = static_cast<double>(game.customers.size());
}

void BM_InGameUpdate(benchmark::State& state) {
    runCrowdUpdate(state, true);
}

void BM_TowersAndProjectiles(benchmark::State& state) {
    runCrowdUpdate(state, false);
}

} // namespace

BENCHMARK(BM_InGameUpdate)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TowersAndProjectiles)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);
