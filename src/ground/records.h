// The game record. It comes in records, one per group of fields, each owned by a layer: that
// layer and the layers above it write it, the layers below only read it. The one global game
// reaches every record by reference, as the unit's layer may (ground/game.h): a write from below,
// however it is written (through a reference, a helper or a link), does not compile. Each record
// is declared with the folder that owns it, but for the few every layer reads, which stand here.
#pragma once

#include "ground/types.h"
#include "platform/platform.h"

#include <type_traits>

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

// The layers that own records, bottom to top (ARCHITECTURE.md), and two reaches beside them:
// drawing reads every record and writes none; tests and tools write them all.
enum class Layer {
    Drawing,
    Ground,
    Persist,
    Rating,
    Customers,
    Level,
    Towers,
    Tutorial,
    Ui,
    Shell,
    Frame,
    Everything
};

// Every record and its owner.
template <class Record> struct OwnerOf;
#define GOBBLER_RECORD(Record, owner)                                                              \
    struct Record;                                                                                 \
    template <> struct OwnerOf<Record> { static constexpr Layer layer = Layer::owner; }
GOBBLER_RECORD(SharedRecord, Ground);
GOBBLER_RECORD(GameClock, Frame);
GOBBLER_RECORD(FrameRecord, Frame);
GOBBLER_RECORD(PauseRecord, Shell);
GOBBLER_RECORD(GameMenuRecord, Shell);
GOBBLER_RECORD(IntroRecord, Shell);
GOBBLER_RECORD(WaveClock, Level);
GOBBLER_RECORD(LevelRecord, Level);
GOBBLER_RECORD(WavesRecord, Level);
GOBBLER_RECORD(ObstacleRecord, Level);
GOBBLER_RECORD(CustomersRecord, Customers);
GOBBLER_RECORD(TowersRecord, Towers);
GOBBLER_RECORD(RatingRecord, Rating);
GOBBLER_RECORD(ReviewsRecord, Rating);
GOBBLER_RECORD(LessonRecord, Tutorial);
GOBBLER_RECORD(HudRecord, Ui);
GOBBLER_RECORD(MenusRecord, Ui);
GOBBLER_RECORD(OptionsRecord, Ui);
GOBBLER_RECORD(HelpRecord, Ui);
GOBBLER_RECORD(CreditsRecord, Ui);
GOBBLER_RECORD(ShopRecord, Ui);
GOBBLER_RECORD(ProgressRecord, Persist);
GOBBLER_RECORD(AudioRecord, Persist);
#undef GOBBLER_RECORD

struct GameRecords;

// The game as a layer reaches it: the records it owns (or a layer below it owns) writable, the
// others const.
template <Layer L> struct GameView {
    template <class Record>
    using Reach = std::conditional_t<(OwnerOf<Record>::layer <= L), Record, const Record>;

    Reach<SharedRecord>& shared;
    Reach<GameClock>& clock;
    Reach<FrameRecord>& frame;
    Reach<PauseRecord>& pause;
    Reach<GameMenuRecord>& gameMenu;
    Reach<IntroRecord>& intro;
    Reach<WaveClock>& waveClock;
    Reach<LevelRecord>& level;
    Reach<WavesRecord>& waves;
    Reach<ObstacleRecord>& obstacle;
    Reach<CustomersRecord>& crowd;
    Reach<TowersRecord>& defence;
    Reach<RatingRecord>& rating;
    Reach<ReviewsRecord>& reviews;
    Reach<LessonRecord>& lesson;
    Reach<HudRecord>& hud;
    Reach<MenusRecord>& menus;
    Reach<OptionsRecord>& options;
    Reach<HelpRecord>& help;
    Reach<CreditsRecord>& credits;
    Reach<ShopRecord>& shop;
    Reach<ProgressRecord>& progress;
    Reach<AudioRecord>& sound;

    explicit GameView(GameRecords& records);
    // A view that reaches less (what drawing is given) from one that reaches more.
    template <Layer M>
    GameView(const GameView<M>& other)
        : shared(other.shared), clock(other.clock), frame(other.frame), pause(other.pause),
          gameMenu(other.gameMenu), intro(other.intro), waveClock(other.waveClock),
          level(other.level), waves(other.waves), obstacle(other.obstacle), crowd(other.crowd),
          defence(other.defence), rating(other.rating), reviews(other.reviews),
          lesson(other.lesson), hud(other.hud), menus(other.menus), options(other.options),
          help(other.help), credits(other.credits), shop(other.shop), progress(other.progress),
          sound(other.sound) {}
};

// The whole game, every record writable: the frame's and the tests'.
using GameState = GameView<Layer::Everything>;
// The game as drawing sees it: every record const.
using GameSight = GameView<Layer::Drawing>;

// The shared record: what every layer reads and any may change.
struct SharedRecord {
    int screen = Splash;
    int currentLevel = 0;
    FrameInput input;
    int clickLatch = 0;
};

// The game clock: the frame's time, read by every timed rule.
struct GameClock {
    float now = -1.0f;
    float prevNow = -1.0f;
    float frameDelta = -1.0f;
};

// Wave clock and speed.
struct WaveClock {
    int gameSpeed = 1;
    int countdown = 10;
    float countdownTickTime = 0;
    int countdownDone = 0;
    float waveClockStart = 0;
    float pauseStartTime = 0;
    float pausedTotal = 0;

    int paused = 0;
};
