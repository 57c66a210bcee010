// The wave scripts of the three maps and the map-1 door.
#include "customers/records.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/records.h"

#include "assets/assets.h"
#include "customers/customers.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"
#include "rating/rating.h"

#include <algorithm>
#include <cstddef>

namespace {

// One customer of a spawn step; type -1 is nobody.
struct Spawn {
    int type;
    int path;
};

// One spawn step: at most one customer per entrance, both spawned in the same update.
struct Step {
    double offset;        // seconds of wave time
    Spawn front;          // from the map's entrance
    Spawn back;           // from the second entrance (map 3)
    bool featured;        // the tutorial light follows this customer
    int lesson;           // tutorial step that starts right after this spawn (0: none)
    bool singlePrecision; // the one offset the wave clock compares in floats
};

constexpr Spawn nobody{-1, 0};

constexpr Step at(double offset, int type, int path = 0) {
    return {offset, {type, path}, nobody, false, 0, false};
}
constexpr Step featured(double offset, int type) {
    return {offset, {type, 0}, nobody, true, 0, false};
}
constexpr Step lesson(double offset, int type, int tutorialStep) {
    return {offset, {type, 0}, nobody, false, tutorialStep, false};
}
constexpr Step inFloats(double offset, int type, int path) {
    return {offset, {type, path}, nobody, false, 0, true};
}
constexpr Step pair(double offset, int frontType, int frontPath, int backType, int backPath) {
    return {offset, {frontType, frontPath}, {backType, backPath}, false, 0, false};
}
constexpr Step backOnly(double offset, int type, int path) {
    return {offset, nobody, {type, path}, false, 0, false};
}

struct Wave {
    int size;
    const Step* steps;
    int stepCount;
};

template <std::size_t N> constexpr Wave wave(int size, const Step (&steps)[N]) {
    return {size, steps, static_cast<int>(N)};
}

constexpr int customersIn(const Step& step) {
    return (step.front.type >= 0 ? 1 : 0) + (step.back.type >= 0 ? 1 : 0);
}

// Every wave spawns exactly its size, and no step comes before the one ahead of it.
template <std::size_t N> constexpr bool wellFormed(const Wave (&waves)[N]) {
    for (const Wave& w : waves) {
        int count = 0;
        for (int k = 0; k < w.stepCount; ++k) {
            count += customersIn(w.steps[k]);
            if (customersIn(w.steps[k]) == 0)
                return false;
            if (k > 0 && w.steps[k].offset < w.steps[k - 1].offset)
                return false;
        }
        if (count != w.size)
            return false;
    }
    return true;
}

constexpr int B = Bachelor, F = Family, G = BigEater, M = BusinessMan;

// ---- map 1: every customer from the door, walking DownRight on path 0.
constexpr Step map1Wave1[] = {featured(0.1, B), lesson(1.1, B, StepBachelor), at(2.1, B)};
constexpr Step map1Wave2[] = {at(0.1, B),       at(1.1, B),
                              featured(2.1, M), lesson(3.1, B, StepBusinessMan),
                              at(4.1, B),       at(5.1, M)};
constexpr Step map1Wave3[] = {featured(0.1, F), at(1.1, B), lesson(2.1, B, StepFamily),
                              at(3.1, M),       at(4.1, B), at(5.1, B),
                              at(6.1, B),       at(7.1, M), at(8.1, B),
                              at(9.1, B)};
constexpr Step map1Wave4[] = {at(0.1, M), featured(1.1, G), lesson(2.1, G, StepBigEater),
                              at(3.1, M), at(4.1, F),       at(5.1, F),
                              at(6.1, G), at(7.1, M),       at(8.1, B),
                              at(9.1, G)};
constexpr Step map1Wave5[] = {at(0.1, G), at(1.1, G), at(2.1, M), at(3.1, F), at(4.1, B),
                              at(5.1, B), at(6.1, F), at(7.1, F), at(8.1, G), at(9.1, M)};
constexpr Wave map1Waves[] = {wave(3, map1Wave1), wave(6, map1Wave2), wave(10, map1Wave3),
                              wave(10, map1Wave4), wave(10, map1Wave5)};
static_assert(sizeof(map1Waves) / sizeof(map1Waves[0]) == 5, "map 1 has five waves");
static_assert(wellFormed(map1Waves), "map 1: wave sizes and step order");

// ---- map 2: every customer from the front edge, walking UpLeft; path 2 is the short way.
constexpr Step map2Wave1[] = {at(0.1, B), at(1.1, G), at(2.1, B), at(3.1, M)};
constexpr Step map2Wave2[] = {at(1.1, M), at(2.1, M), at(3.1, G),
                              at(4.1, B), at(5.1, B), at(6.1, G)};
constexpr Step map2Wave3[] = {at(0.1, M, 2), at(1.1, B, 2), at(2.1, B),    at(3.1, B, 2),
                              at(4.1, M),    at(5.1, G, 2), at(6.1, M, 2), at(7.1, F)};
constexpr Step map2Wave4[] = {at(0.1, F), at(1.1, B),    at(2.1, B), at(4.5, G, 2),
                              at(5.5, G), at(6.5, B, 2), at(7.5, G), at(8.5, G)};
constexpr Step map2Wave5[] = {at(0.1, G, 2), at(1.1, F, 2), at(2.1, M, 2),
                              at(3.1, B, 2), at(4.1, G, 2), at(4.6, G),
                              at(5.1, B, 2), at(5.6, M, 2), at(6.1, G, 2)};
constexpr Step map2Wave6[] = {at(0.1, G, 2), at(1.1, F, 2), at(1.5, F, 2), inFloats(2.0, F, 2),
                              at(2.5, M, 2), at(3.1, B),    at(4.1, G, 2), at(4.6, G),
                              at(5.1, B, 2), at(5.8, G),    at(6.5, G),    at(7.2, B, 2)};
constexpr Step map2Wave7[] = {at(0.1, G, 2), at(1.1, F, 2), at(2.1, F, 2), at(3.1, G, 2),
                              at(3.6, G),    at(4.1, B, 2), at(5.1, G, 2), at(6.1, G, 2),
                              at(7.0, M, 2), at(7.5, B, 2)};
constexpr Wave map2Waves[] = {wave(4, map2Wave1), wave(6, map2Wave2), wave(8, map2Wave3),
                              wave(8, map2Wave4), wave(9, map2Wave5), wave(12, map2Wave6),
                              wave(10, map2Wave7)};
static_assert(sizeof(map2Waves) / sizeof(map2Waves[0]) == 7, "map 2 has seven waves");
static_assert(wellFormed(map2Waves), "map 2: wave sizes and step order");

// ---- map 3: pairs, front entrance UpRight on path 0 (2 short), back entrance DownLeft on
// path 1 (3 short).
constexpr Step map3Wave1[] = {at(0.1, M), at(1.1, G), at(2.5, B), at(3.8, B)};
constexpr Step map3Wave2[] = {pair(0.1, M, 0, M, 1), pair(1.5, B, 0, B, 1), pair(2.8, B, 0, M, 1),
                              pair(3.8, M, 0, B, 1)};
constexpr Step map3Wave3[] = {pair(0.1, M, 0, M, 1), pair(1.5, M, 0, G, 1), pair(3.1, F, 0, M, 1),
                              pair(4.5, G, 0, B, 1), pair(5.5, B, 0, B, 1)};
constexpr Step map3Wave4[] = {pair(0.1, M, 2, M, 3), pair(1.1, B, 2, F, 1), pair(2.1, G, 2, B, 1),
                              pair(3.1, B, 0, G, 1)};
constexpr Step map3Wave5[] = {pair(0.1, G, 0, B, 1), pair(1.1, G, 2, B, 3), pair(2.1, G, 0, B, 1),
                              pair(3.1, B, 0, G, 1), pair(4.1, G, 2, M, 3), backOnly(4.1, G, 1)};
constexpr Step map3Wave6[] = {pair(0.1, M, 2, M, 3), pair(1.1, B, 0, B, 1), pair(2.1, B, 0, B, 1),
                              pair(3.1, G, 0, G, 1), pair(4.1, G, 0, G, 1), pair(5.1, G, 2, G, 3),
                              pair(6.1, G, 2, G, 3)};
constexpr Step map3Wave7[] = {pair(0.1, M, 2, M, 3), pair(1.1, B, 0, B, 1), pair(2.1, B, 0, B, 1),
                              pair(3.1, G, 0, G, 1), pair(4.1, B, 0, B, 1), pair(5.1, G, 2, G, 3),
                              pair(6.1, G, 2, G, 3), pair(7.1, G, 2, G, 3), pair(8.1, G, 0, B, 1),
                              pair(9.1, B, 0, G, 1)};
constexpr Wave map3Waves[] = {wave(4, map3Wave1), wave(8, map3Wave2),  wave(10, map3Wave3),
                              wave(8, map3Wave4), wave(11, map3Wave5), wave(14, map3Wave6),
                              wave(20, map3Wave7)};
static_assert(sizeof(map3Waves) / sizeof(map3Waves[0]) == 7, "map 3 has seven waves");
static_assert(wellFormed(map3Waves), "map 3: wave sizes and step order");

struct Script {
    const Wave* waves;
    int waveCount;
    int obstacleWave; // the wave that sends the mopping men away (0: none)
    int frontDirection;
    int backDirection;
};

template <std::size_t N>
constexpr Script script(const Wave (&waves)[N], int obstacleWave, int front, int back) {
    return {waves, static_cast<int>(N), obstacleWave, front, back};
}

// By level: the tutorial level and level 1 share map 1.
constexpr Script scripts[4] = {
    script(map1Waves, 0, DownRight, DownRight),
    script(map1Waves, 0, DownRight, DownRight),
    script(map2Waves, 3, UpLeft, UpLeft),
    script(map3Waves, 4, UpRight, DownLeft),
};

const Script& currentScript() {
    return scripts[game.shared.currentLevel >= 0 && game.shared.currentLevel <= 3
                       ? game.shared.currentLevel
                       : 0];
}

const Wave* runningWave() {
    const Script& script = currentScript();
    if (game.waves.wave < 1 || game.waves.wave > script.waveCount)
        return nullptr;
    return &script.waves[game.waves.wave - 1];
}

// Whether a spawn step's offset has passed on the wave clock (see firstMomentWhen).
bool stepDue(const Step& step) {
    const auto passed = [&step](float time) {
        if (step.singlePrecision)
            return time - game.waveClock.waveClockStart >
                   (game.waveClock.pausedTotal + static_cast<float>(step.offset)) /
                       static_cast<float>(game.waveClock.gameSpeed);
        return static_cast<double>(time) - static_cast<double>(game.waveClock.waveClockStart) >
               (static_cast<double>(game.waveClock.pausedTotal) + step.offset) /
                   game.waveClock.gameSpeed;
    };
    float at = 0;
    return firstMomentWhen(game.clock, passed, at);
}

// Fires the wave's next step once its offset has passed; the step fired, or null.
const Step* fireNextStep(const Wave& w) {
    const Script& script = currentScript();
    int spawnedBefore = 0;
    for (int k = 0; k < w.stepCount; ++k) {
        const Step& step = w.steps[k];
        if (spawnedBefore == game.waves.spawnedInWave) {
            if (!stepDue(step))
                return nullptr;
            if (step.featured)
                game.crowd.featuredPending = 0;
            if (step.front.type >= 0) {
                spawnCustomer(step.front.type, script.frontDirection, step.front.path,
                              game.level.entrance.x, game.level.entrance.y);
                game.waves.spawnedInWave += 1;
            }
            if (step.back.type >= 0) {
                spawnCustomer(step.back.type, script.backDirection, step.back.path,
                              game.level.secondEntrance.x, game.level.secondEntrance.y);
                game.waves.spawnedInWave += 1;
            }
            return &step;
        }
        spawnedBefore += customersIn(step);
        if (spawnedBefore > game.waves.spawnedInWave)
            return nullptr; // a count between two halves of a pair: nothing fits
    }
    return nullptr;
}

void showDoorFrame() {
    game.waves.doorSprite.setTextureRect(sf::IntRect(149 * game.waves.doorFrame, 0, 149, 245));
}

void runMap1Script() {
    const Wave* w = runningWave();
    if (!w)
        return;
    const int waveNumber = game.waves.wave;
    if (tickCountdown() != 1 || openDoor() != 1)
        return;
    if (waveNumber == 1 && (!levelGateOpen() || game.waveClock.paused != 0))
        return;
    if (const Step* fired = fireNextStep(*w)) {
        // The door's closing delay counts from the wave's last arrival.
        if (game.waves.spawnedInWave >= w->size)
            game.waveClock.waveClockStart = game.clock.now;
        if (fired->lesson != 0 && game.progress.tutorialEnabled != 0) {
            game.waves.lessonCue = fired->lesson;
            freezeFromNow();
        }
    }
    closeDoor(w->size);
    const int ended = endWave(w->size);
    if (waveNumber == 1) {
        if (ended == 1 && game.progress.tutorialEnabled != 0)
            game.waves.lessonCue = StepFirstWaveFed;
        endWave(w->size);
    }
    if (waveNumber == currentScript().waveCount && ended == 1)
        checkLevelEnd();
}

void runObstacleMapScript() {
    const Wave* w = runningWave();
    if (!w)
        return;
    const int waveNumber = game.waves.wave;
    if (tickCountdown() != 1)
        return;
    if (waveNumber == currentScript().obstacleWave) {
        game.obstacle.obstacleActive = 0;
        // The wave waits until the mopping men have gone (the world pass opens the way).
        if (game.obstacle.pathOpenPhase != -1) {
            game.obstacle.pathOpenPhase = 1;
            endWave(w->size);
            return;
        }
    }
    fireNextStep(*w);
    const int ended = endWave(w->size);
    if (waveNumber == currentScript().waveCount && ended == 1)
        checkLevelEnd();
}

} // namespace

int waveCountOf(int level) {
    return scripts[level >= 0 && level <= 3 ? level : 0].waveCount;
}

WaveMix waveMix(int mapNumber, int wave, int entrance) {
    WaveMix mix{};
    if (mapNumber < 1 || mapNumber > 3)
        return mix;
    const Script& script = scripts[mapNumber]; // level n plays map n (level 0 plays map 1 too)
    if (wave < 1 || wave > script.waveCount)
        return mix;
    const Wave& w = script.waves[wave - 1];
    for (int k = 0; k < w.stepCount; ++k) {
        const Spawn& spawn = entrance == 0 ? w.steps[k].front : w.steps[k].back;
        if (spawn.type >= 0)
            mix.count[spawn.type] += 1;
    }
    return mix;
}

void initDoor() {
    game.waves.doorSprite =
        makeSprite(loadTexture("../resources/textures/map/door.png"), 446, -129);
    game.waves.doorFrame = 0;
    game.waves.doorFrameTime = -1.0f;
    showDoorFrame();
}

void runWaveScript() {
    switch (game.shared.currentLevel) {
    case 0:
    case 1:
        if (levelGateOpen())
            runMap1Script();
        break;
    case 2:
        if (levelGateOpen())
            runObstacleMapScript();
        break;
    case 3:
        runObstacleMapScript();
        break;
    default:
        break;
    }
}

int openDoor() {
    // A column each 0.1 s of game time, from the moment the wave clock started.
    const auto due = [](float time) {
        return time - game.waves.doorFrameTime > 0.1 / game.waveClock.gameSpeed &&
               time >= game.waveClock.waveClockStart;
    };
    float at = 0;
    if (game.waves.spawnedInWave == 0 && firstMomentWhen(game.clock, due, at)) {
        game.waves.doorFrame = std::min(game.waves.doorFrame + 1, 4);
        game.waves.doorFrameTime = at;
        showDoorFrame();
        return game.waves.doorFrame == 4 ? 1 : 0;
    }
    return game.waves.spawnedInWave > 0 ? 1 : 0;
}

void closeDoor(int waveSize) {
    const float delay = (1.0f - game.crowd.lastSpawnSpeed / 100.0f + 2.0f) /
                            static_cast<float>(game.waveClock.gameSpeed) +
                        game.waveClock.pausedTotal;
    const auto due = [delay](float time) {
        return time - game.waves.doorFrameTime > 0.1 / game.waveClock.gameSpeed &&
               time - game.waveClock.waveClockStart > delay;
    };
    float at = 0;
    if (game.waves.spawnedInWave >= waveSize && firstMomentWhen(game.clock, due, at)) {
        game.waves.doorFrame = std::max(game.waves.doorFrame - 1, 0);
        game.waves.doorFrameTime = at;
        showDoorFrame();
    }
}

int endWave(int waveSize) {
    if (game.waves.spawnedInWave < waveSize || !game.crowd.customers.empty())
        return 0;
    if (game.waves.wave == game.level.waveCount)
        return 1;
    game.waves.wave += 1;
    game.waveClock.countdownTickTime = game.clock.now;
    game.waves.spawnedInWave = 0;
    game.waveClock.countdownDone = 0;
    game.waveClock.pausedTotal = 0;
    game.waveClock.countdown = 10;
    return 1;
}
