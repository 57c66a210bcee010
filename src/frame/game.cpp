// The game's records, made once and never torn down, and the views each layer reaches them by.
#include "ground/game.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "frame/records.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "shell/records.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include <new>

struct GameRecords {
    SharedRecord shared;
    GameClock clock;
    FrameRecord frame;
    PauseRecord pause;
    GameMenuRecord gameMenu;
    IntroRecord intro;
    WaveClock waveClock;
    LevelRecord level;
    WavesRecord waves;
    ObstacleRecord obstacle;
    CustomersRecord crowd;
    TowersRecord defence;
    RatingRecord rating;
    ReviewsRecord reviews;
    LessonRecord lesson;
    HudRecord hud;
    MenusRecord menus;
    OptionsRecord options;
    HelpRecord help;
    CreditsRecord credits;
    ShopRecord shop;
    ProgressRecord progress;
    AudioRecord sound;
};

namespace {

GameRecords& records() {
    // Never torn down: the records' GL objects must not outlive the library that owns their
    // context.
    alignas(GameRecords) static unsigned char storage[sizeof(GameRecords)];
    static GameRecords& all = *::new (storage) GameRecords();
    return all;
}

} // namespace

template <Layer L>
GameView<L>::GameView(GameRecords& records)
    : shared(records.shared), clock(records.clock), frame(records.frame), pause(records.pause),
      gameMenu(records.gameMenu), intro(records.intro), waveClock(records.waveClock),
      level(records.level), waves(records.waves), obstacle(records.obstacle), crowd(records.crowd),
      defence(records.defence), rating(records.rating), reviews(records.reviews),
      lesson(records.lesson), hud(records.hud), menus(records.menus), options(records.options),
      help(records.help), credits(records.credits), shop(records.shop), progress(records.progress),
      sound(records.sound) {}

template <Layer L> GameView<L>& gameAt() {
    static GameView<L> view(records());
    return view;
}

template GameView<Layer::Ground>& gameAt<Layer::Ground>();
template GameView<Layer::Persist>& gameAt<Layer::Persist>();
template GameView<Layer::Rating>& gameAt<Layer::Rating>();
template GameView<Layer::Customers>& gameAt<Layer::Customers>();
template GameView<Layer::Level>& gameAt<Layer::Level>();
template GameView<Layer::Towers>& gameAt<Layer::Towers>();
template GameView<Layer::Tutorial>& gameAt<Layer::Tutorial>();
template GameView<Layer::Ui>& gameAt<Layer::Ui>();
template GameView<Layer::Shell>& gameAt<Layer::Shell>();
template GameView<Layer::Frame>& gameAt<Layer::Frame>();
template GameView<Layer::Everything>& gameAt<Layer::Everything>();

void resetGame() {
    records() = GameRecords();
}
