// The record of the running game, the screens, and the plain records every subsystem shares.
// The logic reads and writes the one global record (core/game.h); the draw pass only ever sees
// it as const.
#pragma once

#include "assets/assets.h"
#include "platform/platform.h"

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

// What the three phases of a frame serve. 4 is never entered.
enum Screen : int {
    TitleMenu = 0,
    LevelSelect = 1,
    Options = 2,
    Quit = 3,
    Shop = 5,
    InGame = 6,
    GameMenu = 7,
    Help = 8,
    Logo = 9,
    Splash = 10,
    GameOptions = 11,
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

// Every short sound of the game, in the order of the audio table.
enum SoundId : int {
    SoundClick,
    SoundSodaShot,
    SoundBurgerThrow,
    SoundFriesShot,
    SoundBurgerImpact,
    SoundBachelorHappy,
    SoundFamilyHappy,
    SoundBigEaterHappy,
    SoundBusinessManHappy,
    SoundObjectiveReached,
    SoundBelowObjective,
    SoundPathAlert,
    SoundCountdown,
    SoundVictory,
    SoundApplause,
    SoundDefeatCrowd,
    SoundDefeatMusic,
    SoundBite1,
    SoundBite2,
    SoundBite3,
    SoundIntroLogo,
    SoundCount
};

enum MusicId : int { MusicMenu, MusicLevel1, MusicLevel2, MusicLevel3, MusicCount };

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
    TowerSlot* slot = nullptr; // the pedestal it stands on (owned by the pedestal list)
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
    Customer* target = nullptr; // cleared when that customer leaves
    float lifetime = 0;
    int frame = 0;
    float frameTime = 0;
    int frameWidth = 0;
    int facing = 0;
};

// ---------------------------------------------------------------- audio

struct AudioBank {
    sf::SoundBuffer buffers[SoundCount];
    sf::Sound sounds[SoundCount];
    MusicStream musics[MusicCount];
};

// ---------------------------------------------------------------- languages

// A button of the options that makes the game speak a language ("FR", "EN").
struct LanguageButton {
    std::string code;
    sf::RectangleShape box;
    sf::Text label;
};
constexpr int maxLanguages = 6;

// ---------------------------------------------------------------- the game

// The fields come in groups, each headed "-- <group>". A group is written by the folder that
// owns it and by the folders above that one, never from below (ARCHITECTURE.md lists the
// owners; a test holds the code to them).
struct GameState {
    // -- the shared record: what every layer reads and any may change
    int screen = Splash;
    int currentLevel = 0;
    FrameInput input;
    int clickLatch = 0;

    // -- the frame
    int windowOpen = 1; // 0 once the player has closed the window or quit
    int fullscreen = 0; // the window fills the screen
    int hasFocus = 1;
    float now = -1.0f;
    float prevNow = -1.0f;
    float frameDelta = -1.0f;
    sf::Sprite cursorSprite;

    // -- pause
    int paused = 0;
    int pausedOverLesson = 0; // the pause button is down while the first level's lesson holds

    // -- in-game menu and in-game options
    sf::Sprite gameMenuSprite;
    sf::Sprite gameMenuArrows[4];
    const sf::Texture* emptyArrowTexture = nullptr;
    const sf::Texture* fullArrowTexture = nullptr;
    sf::Sprite gameOptionsSprite;
    sf::Sprite gameEffectsBar;
    sf::Sprite gameMusicBar;
    sf::Sprite gameOptionsBack;
    sf::CircleShape gameEffectsKnob;
    sf::CircleShape gameMusicKnob;
    float gameEffectsKnobX = 0, gameMusicKnobX = 0;

    // -- intro
    sf::Sprite splashBite;
    sf::Texture splashSheet; // the bites, taken at the first one (the first frame shows its own)
    sf::Sprite splashFlyer;
    int splashFrame = 0;
    int splashPhase = 0;
    float splashStepTime = 0;
    int splashStarted = 0;
    sf::Sprite introBackground;
    sf::Sprite logoSprite;
    sf::Texture logoTexture;
    std::int64_t logoClockStartMs = 0;
    int logoFrame = 0;
    int introPhase = 0;
    float logoX = 0, logoY = 0;
    sf::Sprite titleBackground; // the menu background under the title picture
    sf::Sprite titlePicture;
    sf::Text promptText;
    int promptAlpha = 255;
    int promptRising = 0;

    // -- wave clock and speed
    int gameSpeed = 1;
    int countdown = 10;
    float countdownTickTime = 0;
    int countdownDone = 0;
    float waveClockStart = 0;
    float pauseStartTime = 0;
    float pausedTotal = 0;

    // -- level
    sf::Sprite mapSprite;
    const sf::Texture* mapTextures[4] = {};
    const CollisionMap* pathImages[7] = {}; // the seven path images, loaded once
    const CollisionMap* collisionMaps[4] = {};
    int mapNumber = 0;
    sf::Vector2f entrance;
    sf::Vector2f secondEntrance;
    sf::Vector2f goalPoint; // the exit, which the towers feed the nearest to first
    int waveCount = 0;
    std::list<TowerSlot> slots;        // newest first
    std::list<Decoration> decorations; // newest first

    // -- waves and the map-1 door
    int wave = 1;
    int spawnedInWave = 0;
    int doorFrame = 0;
    float doorFrameTime = -1.0f;
    sf::Sprite doorSprite;
    // The lesson step the first map's script has reached (a newcomer to show, the first wave
    // fed), for the lesson to take up; 0 when there is none.
    int lessonCue = 0;

    // -- path-blocking obstacle
    sf::Sprite signSprites[3];
    sf::Sprite mopperSprites[3];
    float mopperFrameTime[3] = {-1.0f, -1.0f, -1.0f};
    int mopperFrame[3] = {0, 0, 0};
    sf::Sprite warningSprites[3];
    int obstacleActive = 1;
    int pathOpenPhase = 0;
    int pathAlertCount = 0;
    int pathAlertShown = 0; // the warning blinks in this frame

    // -- customers
    std::list<Customer> customers; // newest first
    const sf::Texture* customerBodyTextures[CustomerTypeCount] = {};
    CustomerTypeInfo customerTypes[CustomerTypeCount];
    int nextCustomerId = 1;
    int featuredPending = 0;
    Customer* featuredCustomer = nullptr; // the customer the tutorial light follows
    float lastSpawnSpeed = 0;
    const sf::Texture* satisfactionTexture = nullptr;
    const sf::Texture* gaugeTexture = nullptr;

    // -- towers
    TowerStats towerCatalogue[TowerTypeCount][3];
    std::list<Tower> towers;           // newest first
    std::list<Projectile> projectiles; // newest first
    int towerMenu = Closed;
    TowerSlot* selectedSlot = nullptr;
    Tower* selectedTower = nullptr;
    int towerInfoVisible = 0;
    sf::Sprite buildButtons[TowerTypeCount];
    sf::Sprite sellButton;
    sf::Sprite upgradeButton;
    sf::Text priceText;
    sf::Sprite buildPreviewSprites[TowerTypeCount];
    sf::Sprite rangePreviewSprites[TowerTypeCount];
    int buildChoiceHovered[TowerTypeCount] = {}; // the build menu's button under the pointer
    Customer* firstTarget = nullptr;
    Customer* secondTarget = nullptr;
    Customer* thirdTarget = nullptr;
    const sf::Texture* burgerShotTexture = nullptr;
    sf::Sprite infoPanel;
    const sf::Texture* infoPanelTexture = nullptr;  // "InfoTour.png"
    const sf::Texture* infoPanel2Texture = nullptr; // "InfoTour2.png"
    sf::Text infoTexts[5];                          // name, level, feed, interval, range

    // -- rating, the till and the level's end
    float RatingScore = 0;
    float levelObjective = 0;
    int exitedCount = 0;
    int money = 0;
    int levelWon = 0, levelLost = 0;

    // -- reviews
    std::string currentReview, previousReview;
    sf::IntRect currentStarsRect, previousStarsRect;
    int currentStarsVisible = 0, previousStarsVisible = 0;
    int reviewsWritten = 0;
    sf::Text currentReviewText, previousReviewText;
    sf::Sprite currentStars, previousStars;
    sf::Sprite currentFace, previousFace;
    const sf::Texture* faceTextures[CustomerTypeCount] = {};
    sf::Sprite endStars[4];
    sf::Text endTexts[4];
    int endReviewsChosen = 0;

    // -- lesson and explanations
    int tutorialStep = 0;
    int tutorialRunning = 0;
    int level2TutorialClicks = 0;
    int supplierTutorialPending = 0;
    int supplierTutorialStep = 0;
    std::string dialogue;
    sf::Text dialogueText;
    int spotlightOn = 0;
    int spatulaAnimating = 0;
    int spatulaFrame = 0;
    float spatulaFrameTime = 0;
    sf::Sprite spatulaSprite;
    sf::Sprite bubbleSprite;
    float spotlightX = 0, spotlightY = 0; // the lit point, y counted from the bottom
    float spotlightRadius = 0;
    int tutorialMessageShown = 0; // the level-2 sign explanation is on screen

    // -- HUD
    sf::Text moneyText;
    sf::Sprite hudPanel;
    sf::RectangleShape pauseVeil; // over the room while the game is paused
    sf::Text pauseSign;
    sf::Text waveText;
    sf::Text objectiveLabel;
    sf::Sprite ratingStars;
    sf::Sprite objectiveStars;
    sf::Sprite pauseButton;
    sf::Sprite optionsButton;
    sf::Sprite muteButton;
    sf::Sprite speedButton;
    sf::Sprite victoryPicture;
    sf::Sprite defeatPicture;
    sf::Sprite continueButton;
    sf::Sprite previewBoxes[2];
    sf::Sprite previewFaces[2][CustomerTypeCount];
    sf::Text previewCounts[2][CustomerTypeCount];
    sf::Sprite countdownTimers[2];
    int previewTimerOf[2] = {-1, -1}; // the timer shown with each preview box; -1: box hidden
    int previewFaceShown[2][CustomerTypeCount] = {};

    // -- menu frame and level selection
    sf::Sprite menuContentBackground; // "Fond.png"
    sf::Sprite menuCabinet;           // "Borne v2.png"
    sf::Sprite menuOuterFrame;        // "FondMenu.png"
    sf::Sprite panelButtons[5];       // Jouer, Fournisseur, Options, Aides, Quitter
    sf::Text menuHeading;
    sf::Text starBalanceText;
    sf::Sprite levelCards[4]; // index = level 1..3
    sf::Text levelTitles[4];
    sf::Text levelDescriptions[4];
    sf::Sprite levelPadlocks[4]; // levels 2 and 3
    sf::Sprite previousArrow, nextArrow;
    sf::Text levelLabel;
    sf::Sprite bestRatingStars[4]; // index = level 1..3
    int carouselMoving = 0;
    int padlockAnimating[4] = {};
    int padlockFrame[4] = {};
    float padlockStepTime[4] = {};

    // -- options: volume sliders, tutorial box, the button that deletes the saved game, and the
    // fullscreen box and language buttons (shown by both options screens)
    sf::Sprite volumesLabel, musicBar, effectsBar;
    sf::RectangleShape musicFill, effectsFill;
    sf::CircleShape musicKnob, effectsKnob;
    float musicKnobX = 0, effectsKnobX = 0;
    sf::Sprite tutorialBox;
    int tutorialBoxState = 1; // 1 "CaseTuto1.png" (tutorial on), 2 "CaseTuto2.png" (off)
    sf::Text tutorialLabel;
    sf::Sprite deleteButton;
    sf::Text deleteLabel;
    sf::Sprite fullscreenBox;
    int fullscreenBoxState = 0; // as tutorialBoxState: 1 ticked, 2 empty; 0 not drawn yet
    sf::Text fullscreenLabel;
    LanguageButton languageButtons[maxLanguages];
    int languageCount = 0;
    std::string languageAsked; // a language button pressed, spoken from the frame's end on
    int fullscreenAsked = 0;   // the fullscreen box pressed: the frame's end switches, as F11

    // -- help pages: 0 the two categories, 1 towers, 2 customers
    int helpPage = 0;
    sf::Sprite helpCategories[2];    // towers, customers
    sf::Sprite helpFoods[3];         // burger, soda, fries
    sf::Sprite helpCustomers[4];     // bachelor, business man, family, big eater
    int helpFoodHovered[3] = {};     // same order
    int helpCustomerHovered[4] = {}; // same order
    sf::Text helpTitle, helpTowerText, helpCustomerText;

    // -- credits: 0 idle, 1 sign animating, 2 sign open, 3 page shown
    int creditsState = 0;
    int creditsFrame = 0;
    float creditsStepTime = 0;
    sf::Sprite titleCredits; // the credits sign on the cabinet
    sf::Sprite creditsPage;
    int creditsScroll = 0;
    float creditsDragAnchor = 0;
    int creditsDragging = 0;

    // -- supplier shop
    sf::Sprite shopBackground;
    sf::Sprite upgradePictures[TowerTypeCount][4]; // [type][level 1..3]
    sf::Sprite shopPadlocks[6]; // 0..2 level 2 of Fries, Burger, Soda; 3..5 their level 3
    int padlockFrames[6] = {};
    sf::Sprite shopResetButton;
    sf::Text shopResetLabel;
    int unlockState2 = 0, unlockState3 = 0; // 0 none, 1 padlock opening, 2 done: pay
    int unlockTarget2 = 0, unlockTarget3 = 0;
    float unlockStepTime = 0;
    int maxTowerLevel[TowerTypeCount] = {1, 1, 1};

    // -- progress: the save file
    int stars = 0;
    float bestRating[4] = {};
    int starsEarned[4] = {};
    int starsCredited[4] = {};
    int levelCleared[4] = {};
    int lockOpened[4] = {};
    int upgradeUnlocked[TowerTypeCount][4] = {{0, 1, 0, 0}, {0, 1, 0, 0}, {0, 1, 0, 0}};
    int tutorialEnabled = 1;
    int supplierTutorialDone = 0;

    // -- audio
    std::shared_ptr<AudioBank> audio;
    float musicVolume = 50, effectsVolume = 50;
    int muted = 0;
    int endSoundsPlayed = 0; // the level's victory or defeat sounds have been started
};
