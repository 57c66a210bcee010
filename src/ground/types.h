// The plain records every subsystem shares: the customers, towers, pedestals, props and
// projectiles of a level, the kinds they come in, the lesson's named steps, the sheets several
// rules cut frames from.
#pragma once

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <list>

// A pointer to something a list of the game owns, const when reached through a const record: a
// layer that may only read a record reads what its links point at, and cannot write it either.
template <class T> class Link {
  public:
    Link(T* to = nullptr) : to_(to) {}
    T* get() { return to_; }
    const T* get() const { return to_; }
    T* operator->() { return to_; }
    const T* operator->() const { return to_; }
    T& operator*() { return *to_; }
    const T& operator*() const { return *to_; }
    operator T*() { return to_; }
    operator const T*() const { return to_; }

  private:
    T* to_;
};

enum CustomerType : int { Bachelor = 0, Family = 1, BigEater = 2, BusinessMan = 3 };
constexpr int CustomerTypeCount = 4;

// The four diagonals of the isometric floor; also the row of every customer sheet.
enum Direction : int { DownRight = 0, DownLeft = 1, UpRight = 2, UpLeft = 3 };
// The floor's diagonal: 3.14 / 6 in single precision, as everyone walks it.
constexpr float walkAngle = 3.14f / 6.0f;
// The diagonal of the 1920 x 1080 dining room: farther from the goal than anyone can be.
constexpr float windowDiagonal = 2202.907f;

enum TowerType : int { Fries = 0, Burger = 1, Soda = 2 };
constexpr int TowerTypeCount = 3;

enum TowerMenu : int {
    BuildMenu = 0,
    UpgradeToLevel2 = 1,
    UpgradeToLevel3 = 2,
    SellOnly = 3,
    Closed = 4,
};

// ---------------------------------------------------------------- the first level's lesson

// The steps of the lesson that rules outside its own table name: the presses it asks for, the
// newcomers the wave script shows, and where the player may start building freely.
enum LessonStepId : int {
    StepFriesPedestal = 3,
    StepFriesButton = 4,
    StepSodaPedestal = 7,
    StepSodaButton = 8,
    StepFriesTower = 9,
    StepSell = 11,
    StepBachelor = 14,
    StepFirstWaveFed = 16,
    StepBurgerPedestal = 21,
    StepBurgerButton = 22, // the last build step: free building comes after it
    StepTimer = 24,
    StepBusinessMan = 28,
    StepFamily = 30,
    StepExitPedestal = 32,
    StepExitButton = 33,
    StepBigEater = 35,
    StepMiddlePedestal = 36,
    StepMiddleButton = 37,
    LessonStepCount = 39,
};

// ---------------------------------------------------------------- sheets

// The frame size of a sheet that several rules cut frames from.
struct SheetFrame {
    int width, height;
};
constexpr SheetFrame ratingStarsSheet{315, 197}; // "Stars.png" (HUD, level selection): 0..10
constexpr SheetFrame starStripSheet{538, 91};    // "Stars2.png": 0..10 half stars
constexpr SheetFrame timerSheet{90, 91};         // "TimerAnim.png": 10 down to 0
constexpr SheetFrame mopperSheet{113, 117};      // "serpilleur.png": mopping row, walking row

// Frame (column, row) of a sheet.
inline sf::IntRect sheetFrame(SheetFrame sheet, int column, int row = 0) {
    return sf::IntRect(sheet.width * column, sheet.height * row, sheet.width, sheet.height);
}

// ---------------------------------------------------------------- level

// A pedestal a tower can stand on.
struct TowerSlot {
    sf::Sprite sprite;
    float x = 0, y = 0;
    int occupied = 0;
    int facing = 0; // 0..3 the sheet row of the tower built here, 4 a turning pedestal
};

// How a prop of the dining room animates.
enum DecorationKind : int {
    PropKiosk = 0,         // order kiosks: bursts of three frames between random pauses
    PropKioskCustomer = 1, // a customer ordering: 20 frames between random pauses
    PropEater = 2,         // an eating client, row 0
    PropEaterBack = 3,     // an eating client, row 1
    PropTelevision = 4,    // a television flicking between its programmes
    PropBin = 5,           // a waste bin filling up with the customers gone
};

// An animated prop of the dining room.
struct Decoration {
    sf::Sprite sprite;
    float x = 0, y = 0;
    sf::IntRect frameRect;
    float lastFrameTime = -1.0f;
    float pauseLength = 2.0f;
    float burstStart = 0;
    int frame = 0;
    int frameWidth = 0, frameHeight = 0;
    int burstCount = 0;
    int kind = PropKiosk;
    int programme = 0;
};

// ---------------------------------------------------------------- customers

struct CustomerTypeInfo {
    int appetite = 0;
    int walkSpeed = 0;
    int reward = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    const sf::Texture* shadowTexture = nullptr;
    const sf::Texture* friesHitTexture = nullptr;
    const sf::Texture* burgerHitTexture = nullptr;
    const sf::Texture* sodaHitTexture = nullptr;
    int friesHitFrameWidth = 0;
    int friesHitFrameHeight = 0;
};

struct Customer {
    sf::Sprite bodySprite;
    float x = 0, y = 0;         // drawn position of the feet
    float pathX = 0, pathY = 0; // position along the path, without side-steps
    int appetite = 0;
    int speed = 0;
    int reward = 0;
    int frameWidth = 0, frameHeight = 0;
    const sf::Texture* shadowTexture = nullptr;
    const sf::Texture* friesHitTexture = nullptr;
    const sf::Texture* burgerHitTexture = nullptr;
    const sf::Texture* sodaHitTexture = nullptr;
    int friesHitFrameWidth = 0, friesHitFrameHeight = 0;
    int id = 0;
    float targetDistance = 0;
    int direction = 0;
    int fed = 0;
    int type = 0;
    sf::Sprite satisfactionSprite;
    sf::Sprite gaugeSprite;
    int hasExited = 0;
    sf::IntRect bodyRect;
    int walkFrame = 0;
    float lastWalkFrameTime = 0;
    int pathIndex = 0;
    sf::Sprite shadowSprite;
    sf::Sprite hitSprites[3]; // fries, burger, soda
    float hitTimes[3] = {-1.0f, -1.0f, -1.0f};
    int hitActive[3] = {0, 0, 0};
    float slowedSpeed = 0;
    int friesHitFrame = -1;
    float friesHitFrameTime = -1.0f;
    sf::IntRect friesHitRect;
    int sideStepped = 0;
};

// ---------------------------------------------------------------- towers

// Hover rectangle relative to the frame's top-left corner, in catalogue order.
struct HoverBox {
    float left = 0, width = 0, top = 0, height = 0;
};

struct TowerStats {
    int feed = 0;
    float fireInterval = 0;
    float range = 0;
    int cost = 0;
    int saleValue = 0;
    int projectileWidth = 0, projectileHeight = 0;
    const char* name = "";
    int frameWidth = 0, frameHeight = 0;
    float originX = 0, originY = 0;
    const sf::Texture* rangeTexture = nullptr;
    const sf::Texture* towerTexture = nullptr;
    int frameCount = 0;
    HoverBox hoverBox;
    float frameDuration = 0;
};

struct Tower {
    Link<TowerSlot> slot; // the pedestal it stands on (owned by the pedestal list)
    sf::Sprite sprite;
    float x = 0, y = 0;
    sf::IntRect frameRect;
    int level = 0;
    int type = 0;
    TowerStats stats;
    sf::Sprite rangeSprite;
    int showRange = 0;
    int targetCount = 0;
    float lastFireTime = -1.0f;
    int facing = 0;
    int firing = 0;
    int animFrame = 0;
    float lastFrameTime = 0;
};

// A thrown burger or a soda splash.
struct Projectile {
    sf::Sprite sprite;
    float x = 0, y = 0;
    float angle = 0;
    float range = 0;
    sf::IntRect frameRect;
    int feed = 0;
    int kind = 0;
    int hasHit = 0;
    float hitTime = 0;
    Link<Customer> target; // cleared when that customer leaves
    float lifetime = 0;
    int frame = 0;
    float frameTime = 0;
    int frameWidth = 0;
    int facing = 0;
};
