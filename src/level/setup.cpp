// Map set-up: pedestals, decorations, path images and the per-level reset.
#include "customers/records.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"

#include "assets/assets.h"
#include "customers/customers.h"
#include "ground/game.h"
#include "persist/persist.h"
#include "rating/rating.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Steps = std::vector<void (*)()>;

Steps& clearSteps() {
    static Steps steps;
    return steps;
}

Steps& setUpSteps() {
    static Steps steps;
    return steps;
}

// Start-up runs again in tests: a step is kept once.
void addStep(Steps& steps, void (*step)()) {
    if (step && std::find(steps.begin(), steps.end(), step) == steps.end())
        steps.push_back(step);
}

struct SlotPlace {
    int facing;
    float x, y;
};

struct PropPlace {
    const char* file;
    int frameWidth, frameHeight, kind;
    float x, y;
};

// Pedestals, in creation order (the list ends up newest first).
constexpr SlotPlace map1Slots[] = {{1, 1032, 280},    {2, 860.5f, 379.5f}, {3, 1376, 680},
                                   {4, 1202.5f, 580}, {0, 1032, 680},      {3, 946, 930}};
constexpr SlotPlace map2Slots[] = {{0, 132, 780}, {4, 473, 780},  {4, 301, 480},  {0, 387, 230},
                                   {4, 731, 230}, {1, 1075, 230}, {4, 1075, 430}, {4, 644, 680},
                                   {4, 817, 780}, {1, 1247, 830}, {4, 990, 690}};
constexpr SlotPlace map3Slots[] = {{0, 111, 480},  {4, 282, 580},  {2, 369, 230},  {3, 455, 980},
                                   {4, 455, 480},  {4, 541, 730},  {4, 713, 430},  {4, 713, 630},
                                   {4, 886, 730},  {4, 971, 380},  {4, 1056, 630}, {2, 1057, 830},
                                   {4, 1229, 530}, {4, 1229, 730}, {1, 1315, 280}, {4, 1315, 980}};
static_assert(sizeof(map1Slots) / sizeof(map1Slots[0]) == 6, "map 1 has six pedestals");
static_assert(sizeof(map2Slots) / sizeof(map2Slots[0]) == 11, "map 2 has eleven pedestals");
static_assert(sizeof(map3Slots) / sizeof(map3Slots[0]) == 16, "map 3 has sixteen pedestals");

// Props, in creation order.
constexpr PropPlace map1Props[] = {
    {"bornesprite.png", 48, 132, PropKiosk, 1216, 751},
    {"borne.png", 48, 132, PropKiosk, 1105, 72},
    {"borne.png", 48, 132, PropKiosk, 994, 9},
    {"celib borne.png", 60, 147, PropKioskCustomer, 1169, 719},
    {"Sprite celib commande.png", 60, 147, PropKioskCustomer, 1142, 40},
    {"tele.png", 139, 169, PropTelevision, 17, 341},
    {"gros mange.png", 172, 179, PropEater, 376, 417},
    {"gros mange.png", 172, 179, PropEaterBack, 1070, 879},
    {"sprite poubelle face vers droite.png", 60, 112, PropBin, 845, 588},
};
constexpr PropPlace map2Props[] = {
    {"gros mange.png", 172, 179, PropEaterBack, 486, 373},
    {"gros mange seul.png", 170, 175, PropEater, 834, 818},
    {"sprite poubelle face vers gauche.png", 60, 112, PropBin, 1508, 332},
    {"sprite poubelle dos vers droite.png", 60, 112, PropBin, -19, 349},
};
constexpr PropPlace map3Props[] = {
    {"gros mange.png", 172, 179, PropEaterBack, -18, 767},
    {"borne.png", 48, 132, PropKiosk, 558, 857},
    {"borne.png", 48, 132, PropKiosk, 675, 789},
    {"borne.png", 48, 132, PropKiosk, 779, 731},
    {"Sprite celib commande.png", 60, 147, PropKioskCustomer, 712, 757},
    {"gros mange seul.png", 170, 175, PropEater, 377, 251},
    {"sprite poubelle face vers gauche.png", 60, 112, PropBin, 1867, 267},
    {"sprite poubelle face vers droite.png", 60, 112, PropBin, 1143, 132},
    {"sprite poubelle dos vers gauche.png", 60, 112, PropBin, 321, 589},
};
static_assert(sizeof(map1Props) / sizeof(map1Props[0]) == 9, "map 1 has nine props");
static_assert(sizeof(map2Props) / sizeof(map2Props[0]) == 4, "map 2 has four props");
static_assert(sizeof(map3Props) / sizeof(map3Props[0]) == 9, "map 3 has nine props");

// What differs between the three maps. Every map has its own exit for the towers' target
// priority: the exit band of its path images.
struct LevelInfo {
    int money;
    float objective;
    float goalX, goalY;
};
constexpr LevelInfo levelInfo[4] = {
    {0, 0, 0, 0},
    {320, 5.0f, 513, 1072},
    {200, 5.0f, 1412, 1025},
    {200, 8.0f, 990, 1072},
};

// The seven path images, in loading order, and which ones each map puts in its four slots
// (-1: the slot keeps whatever it held; none of that map's customers reads it).
constexpr const char* pathImageFiles[7] = {
    "lvl_1 collision chemin1.jpg",      "lvl_2 collision chemin1.jpg",
    "lvl_3 collision chemin 1.jpg",     "lvl_3 collision chemin 2.jpg",
    "lvl_2 collision chemin2_fast.jpg", "lvl_3 collision chemin 1_fast.jpg",
    "lvl_3 collision chemin 2_fast.jpg"};
constexpr int pathSlots[4][4] = {{-1, -1, -1, -1}, {0, -1, -1, -1}, {1, -1, 4, -1}, {2, 3, 5, 6}};

const std::string mapFolder = "../resources/textures/map/";
const std::string slotPicture = "../resources/textures/tour/tour position.png";

template <std::size_t N> void placeSlots(const SlotPlace (&places)[N]) {
    for (const SlotPlace& place : places)
        addSlot(place.facing, place.x, place.y);
}

// Props are drawn by the world pass, so their sheets can be kept trimmed (most of the
// television's sheet is clear).
const sf::Texture* propSheet(const PropPlace& place) {
    return loadTrimmedSheet(mapFolder + place.file, place.frameWidth, place.frameHeight);
}

template <std::size_t N> void placeProps(const PropPlace (&places)[N]) {
    for (const PropPlace& place : places)
        addDecoration(propSheet(place), place.frameWidth, place.frameHeight, place.kind, place.x,
                      place.y);
}

void showMap(int mapNumber) {
    setSpriteTexture(game.level.mapSprite, game.level.mapTextures[mapNumber], true);
    game.level.mapNumber = mapNumber;
}

void applyLevelInfo(int mapNumber) {
    const LevelInfo& info = levelInfo[mapNumber];
    game.rating.money = info.money;
    game.rating.levelObjective = info.objective;
    game.level.waveCount = waveCountOf(mapNumber);
    game.level.goalPoint = sf::Vector2f(info.goalX, info.goalY);
}

void bindPathImages(int mapNumber) {
    // Decoded at start-up, long before a level can be chosen; a level never starts without them.
    awaitPathImages();
    for (int slot = 0; slot < 4; ++slot)
        if (pathSlots[mapNumber][slot] >= 0)
            game.crowd.collisionMaps[slot] = game.level.pathImages[pathSlots[mapNumber][slot]];
}

void placeObstacle(int i, float signX, float signY, float mopperX, float mopperY) {
    game.obstacle.signSprites[i].setPosition(signX, signY);
    game.obstacle.warningSprites[i].setPosition(game.obstacle.signSprites[i].getPosition());
    game.obstacle.mopperSprites[i].setPosition(mopperX, mopperY);
}

void startMoppers(int count) {
    for (int i = 0; i < count; ++i) {
        game.obstacle.mopperFrameTime[i] = game.clock.now;
        game.obstacle.mopperFrame[i] = 0;
    }
}

double randomPause() {
    static constexpr double pauses[3] = {3.0, 5.0, 8.0};
    return pauses[std::rand() % 3];
}

// Advances a prop's frame once its 0.1 s have passed; true when it did.
bool frameDue(Decoration& prop) {
    if (game.clock.now - prop.lastFrameTime > 0.1f) {
        prop.lastFrameTime = game.clock.now;
        return true;
    }
    return false;
}

void animateKiosk(Decoration& prop) {
    if (game.clock.now - prop.burstStart > prop.pauseLength &&
        game.clock.now != prop.lastFrameTime) {
        prop.frame += 1;
        prop.burstCount += 1;
        if (prop.burstCount == 3) {
            prop.burstStart = game.clock.now;
            prop.pauseLength = static_cast<float>(randomPause());
            prop.burstCount = 0;
        }
        if (prop.frame == 9)
            prop.frame = 0;
        prop.frameRect.left = prop.frame * prop.frameWidth;
        prop.lastFrameTime = game.clock.now;
    }
}

void animateOrderingCustomer(Decoration& prop) {
    if (game.clock.now - prop.burstStart > prop.pauseLength &&
        game.clock.now - prop.lastFrameTime > 0.1f) {
        prop.frame += 1;
        if (prop.frame == 20) {
            prop.frame = 0;
            prop.burstStart = game.clock.now;
            prop.pauseLength = static_cast<float>(randomPause());
        }
        prop.frameRect.left = prop.frame * prop.frameWidth;
        prop.lastFrameTime = game.clock.now;
    }
}

void animateEater(Decoration& prop, int row) {
    prop.frameRect.top = row * prop.frameHeight;
    if (frameDue(prop)) {
        prop.frame += 1;
        if (prop.frame == 11)
            prop.frame = 0;
    }
    prop.frameRect.left = prop.frame * prop.frameWidth;
}

void animateTelevision(Decoration& prop) {
    if (prop.programme == 0) {
        prop.frameRect.top = 0;
        if (frameDue(prop)) {
            prop.frame += 1;
            if (prop.frame == 3) {
                prop.frame = 0;
                prop.programme = std::rand() % 3 + 1;
            }
        }
    } else if (prop.programme == 1) {
        prop.frameRect.top = prop.frameHeight;
        if (frameDue(prop)) {
            prop.frame += 1;
            if (prop.frame == 25) {
                prop.frame = 0;
                prop.programme = 0;
            }
        }
    } else {
        // A still picture for three seconds.
        prop.frameRect.top = prop.programme * prop.frameHeight;
        if (game.clock.now - prop.lastFrameTime > 3.0f) {
            prop.frame = 0;
            prop.programme = 0;
        }
    }
    prop.frameRect.left = prop.frame * prop.frameWidth;
}

void animateBin(Decoration& prop) {
    // The bins fill up by one column per five customers gone.
    int column = game.rating.exitedCount / 5;
    if (column > 4)
        column = 4;
    if (column < 0)
        column = 0;
    prop.frame = column;
    prop.frameRect.left = column * prop.frameWidth;
}

} // namespace

void loadLevelAssets() {
    char name[200];
    for (int n = 1; n <= 2; ++n) {
        std::snprintf(name, sizeof name, "../resources/textures/map/lvl_%d.jpg", n);
        game.level.mapTextures[n] = loadBackdrop(name);
    }
    game.level.mapTextures[3] = loadBackdrop("../resources/textures/map/lvl_3.jpg");
    for (int i = 0; i < 7; ++i)
        game.level.pathImages[i] = loadCollisionMap(mapFolder + pathImageFiles[i], classifyImage);
    // Every picture a set-up shows is read now, so starting a level never waits for the disk.
    loadTexture(slotPicture);
    for (const PropPlace& place : map1Props)
        propSheet(place);
    for (const PropPlace& place : map2Props)
        propSheet(place);
    for (const PropPlace& place : map3Props)
        propSheet(place);
}

void whenLevelClears(void (*step)()) {
    addStep(clearSteps(), step);
}

void whenLevelSetUp(void (*step)()) {
    addStep(setUpSteps(), step);
}

void clearLevel() {
    // What stands on the pedestals goes before them.
    for (auto step : clearSteps())
        step();
    // Nothing may keep pointing at a customer that is about to go.
    forgetAllCustomers();
    game.level.decorations.clear();
    game.crowd.customers.clear();
    game.level.slots.clear();
    game.waveClock.pauseStartTime = 0;
}

sf::Vector2f pedestalPlace(int map, int index) {
    const auto entry = [index](const auto& table) {
        const int count = static_cast<int>(sizeof(table) / sizeof(table[0]));
        return index >= 0 && index < count ? sf::Vector2f(table[index].x, table[index].y)
                                           : sf::Vector2f();
    };
    return map == 1   ? entry(map1Slots)
           : map == 2 ? entry(map2Slots)
           : map == 3 ? entry(map3Slots)
                      : sf::Vector2f();
}

void addSlot(int facing, float x, float y) {
    game.level.slots.emplace_front();
    TowerSlot& slot = game.level.slots.front();
    slot.sprite = makeSprite(loadTexture(slotPicture));
    slot.sprite.setOrigin(52, 30);
    slot.x = x;
    slot.y = y;
    slot.sprite.setPosition(slot.x, slot.y);
    slot.occupied = 0;
    slot.facing = facing;
}

void addDecoration(const sf::Texture* texture, int frameWidth, int frameHeight, int kind, float x,
                   float y) {
    game.level.decorations.emplace_front();
    Decoration& prop = game.level.decorations.front();
    prop.x = x;
    prop.y = y;
    prop.frameRect = sf::IntRect(0, 0, frameWidth, frameHeight);
    prop.lastFrameTime = -1.0f;
    prop.pauseLength = 2.0f;
    prop.burstStart = game.clock.now;
    prop.frame = 0;
    prop.frameWidth = frameWidth;
    prop.frameHeight = frameHeight;
    prop.burstCount = 0;
    prop.kind = kind;
    prop.programme = 0;
    setSpriteTexture(prop.sprite, texture);
    prop.sprite.setTextureRect(prop.frameRect);
    prop.sprite.setPosition(x, y);
}

void animateDecorations() {
    for (Decoration& prop : game.level.decorations) {
        switch (prop.kind) {
        case PropKiosk:
            animateKiosk(prop);
            break;
        case PropKioskCustomer:
            animateOrderingCustomer(prop);
            break;
        case PropEater:
            animateEater(prop, 0);
            break;
        case PropEaterBack:
            animateEater(prop, 1);
            break;
        case PropTelevision:
            animateTelevision(prop);
            break;
        case PropBin:
            animateBin(prop);
            break;
        default:
            break;
        }
        prop.sprite.setTextureRect(prop.frameRect);
    }
}

void resetLevelState() {
    game.waveClock.waveClockStart = game.clock.now;
    game.waves.wave = 1;
    game.waves.spawnedInWave = 0;
    game.waveClock.pausedTotal = 0;
    game.waveClock.countdownTickTime = game.clock.now;
    game.waveClock.countdownDone = 0;
    game.crowd.nextCustomerId = 1;
    game.rating.RatingScore = 0;
    game.obstacle.obstacleActive = 1;
    game.waveClock.countdown = 10;
    game.waveClock.gameSpeed = 1;
    game.obstacle.pathOpenPhase = 0;
    for (sf::Sprite& mopper : game.obstacle.mopperSprites) {
        mopper.setColor(sf::Color::White);
        mopper.setTextureRect(sheetFrame(mopperSheet, 0));
    }
    // A new level blinks its warning from opaque, whatever an earlier level left behind.
    for (sf::Sprite& warning : game.obstacle.warningSprites)
        warning.setColor(sf::Color::White);
    game.rating.exitedCount = 0;
    resetReviews();
    game.obstacle.pathAlertCount = 0;
    game.waves.lessonCue = 0;
    game.sound.endSoundsPlayed = 0;
}

void setupMap1() {
    clearLevel();
    placeSlots(map1Slots);
    showMap(1);
    applyLevelInfo(1);
    game.level.entrance = sf::Vector2f(487, 68);
    resetLevelState();
    playMusic(MusicLevel1);
    placeProps(map1Props);
    bindPathImages(1);
}

void setupMap2() {
    clearLevel();
    placeSlots(map2Slots);
    showMap(2);
    game.level.entrance = sf::Vector2f(455, 1075);
    applyLevelInfo(2);
    resetLevelState();
    placeObstacle(0, 709.5f, 728, 767.5f, 692.5f);
    placeProps(map2Props);
    startMoppers(1);
    bindPathImages(2);
    playMusic(MusicLevel2);
}

void setupMap3() {
    clearLevel();
    placeSlots(map3Slots);
    showMap(3);
    game.level.entrance = sf::Vector2f(118, 1070);
    game.level.secondEntrance = sf::Vector2f(741, 0);
    // Two moppers share one spot on this map.
    placeObstacle(0, 771.5f, 474, 839, 439);
    placeObstacle(1, 799, 680, 839, 439);
    placeObstacle(2, 523.5f, 828, 591, 793);
    placeProps(map3Props);
    startMoppers(3);
    applyLevelInfo(3);
    resetLevelState();
    bindPathImages(3);
    playMusic(MusicLevel3);
}

void setupCurrentLevel() {
    switch (game.shared.currentLevel) {
    case 0:
    case 1:
        setupMap1();
        break;
    case 2:
        setupMap2();
        break;
    case 3:
        setupMap3();
        break;
    default:
        return;
    }
    for (auto step : setUpSteps())
        step();
}
