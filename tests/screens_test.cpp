// Every screen the player can see, reached the way a player reaches it, with every frame on the
// way drawn, started in each language and with the language switched mid-walk as a player does:
// each looks like its reference picture (tests/screens/, a quarter of the frame's size) to
// within what the renderer varies, and no frame drew a picture without its pixels. Run
// tools/update_screens.sh to make the references again after a change to what the game shows,
// and look at each changed picture.
#include "assets/assets.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "render/render.h"
#include "shell/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "tutorial/tutorial.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

const std::string references = GOBBLER_SOURCE_DIR "/tests/screens/";
const std::string mismatches = GOBBLER_SOURCE_DIR "/out/screens/";

// The frame at a quarter of its size, each pixel the mean of four by four. Any patch of 10 x 10
// frame pixels holds four of them whole.
sf::Image quarter(const sf::Image& frame) {
    const unsigned w = frame.getSize().x / 4, h = frame.getSize().y / 4;
    sf::Image small;
    small.create(w, h);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) {
            unsigned sum[3] = {};
            for (unsigned dy = 0; dy < 4; ++dy)
                for (unsigned dx = 0; dx < 4; ++dx) {
                    const sf::Color c = frame.getPixel(x * 4 + dx, y * 4 + dy);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                }
            small.setPixel(x, y,
                           sf::Color(static_cast<sf::Uint8>(sum[0] / 16),
                                     static_cast<sf::Uint8>(sum[1] / 16),
                                     static_cast<sf::Uint8>(sum[2] / 16)));
        }
    return small;
}

// How far a quarter pixel may stray from its reference in any colour: the walk is
// deterministic (its clock and random numbers are fixed) and the renderer draws the same pixels
// every run, so this only allows for a driver's rounding. A single frame pixel turned from
// black to white moves its quarter pixel by 16; a patch of 4 x 4 (and so any of 7 x 7) by the
// whole of its change.
constexpr int tolerance = 8;

// The player's session: presses where the player presses, the pointer parked in the corner
// before each look so no hover but the wanted one shows.
struct Player {
    Player() : driver(1.0 / 30.0) {
        driver.drawing = true;
        driver.moveMouse(5, 5);
    }

    void click(int x, int y) {
        driver.click(x, y);
        park();
    }
    void park() {
        driver.moveMouse(5, 5);
        driver.frame();
    }
    void hover(int x, int y) {
        driver.moveMouse(x, y);
        driver.frames(2);
    }
    // The game's clock set forward to a round time and the random numbers started again: what
    // follows plays out the same in every run, whatever real time the intro took.
    void settle() {
        driver.clockSeconds = std::ceil(driver.clockSeconds / 100.0) * 100.0;
        std::srand(1);
    }
    // Plays on without drawing (a wave taking its time, the carousel sliding), then draws again.
    template <class Condition>
    void playUntil(const char* what, Condition condition, double seconds) {
        driver.drawing = false;
        ASSERT_TRUE(driver.runUntil(condition, seconds)) << what;
        driver.drawing = true;
        driver.frames(2);
    }

    // Compares the screen with its reference, or writes the reference when asked to.
    void look(const std::string& french) {
        const std::string name =
            currentLanguage() == "fr" ? french : french + "." + currentLanguage();
        // The picture as the frames left it (drawn again only where something moved) is the
        // one drawn whole.
        const sf::Image drawn = frameRenderer().frame.getTexture().copyToImage();
        const sf::Image whole = driver.frameImage();
        ASSERT_EQ(drawn.getSize(), whole.getSize());
        EXPECT_TRUE(std::equal(drawn.getPixelsPtr(),
                               drawn.getPixelsPtr() + 4 * whole.getSize().x * whole.getSize().y,
                               whole.getPixelsPtr()))
            << name << ": the frames drawn in parts left another picture";
        const sf::Image shown = quarter(whole);
        ++looked;
        // A walk that switches language only compares: its screens are those of the others.
        if (std::getenv("GOBBLER_UPDATE_SCREENS") && !switching) {
            ASSERT_TRUE(shown.saveToFile(references + name + ".png"));
            return;
        }
        sf::Image reference;
        ASSERT_TRUE(reference.loadFromFile(references + name + ".png"))
            << name << ": no reference (tools/update_screens.sh makes them)";
        ASSERT_EQ(reference.getSize(), shown.getSize());
        int differing = 0, worst = 0;
        sf::Image difference = shown;
        for (unsigned y = 0; y < shown.getSize().y; ++y)
            for (unsigned x = 0; x < shown.getSize().x; ++x) {
                const sf::Color a = shown.getPixel(x, y), b = reference.getPixel(x, y);
                const int most =
                    std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
                worst = std::max(worst, most);
                if (most > tolerance) {
                    ++differing;
                    difference.setPixel(x, y, sf::Color::Magenta);
                }
            }
        if (differing > 0) {
            std::error_code ignored;
            std::filesystem::create_directories(mismatches, ignored);
            shown.saveToFile(mismatches + name + ".png");
            difference.saveToFile(mismatches + name + ".difference.png");
            ADD_FAILURE() << name << ": " << differing
                          << " quarter pixels differ from the reference (by up to " << worst
                          << "); see " << mismatches;
        }
    }

    FrameDriver driver;
    bool switching = false;
    int looked = 0;
};

// Panel buttons of the menu cabinet.
const sf::Vector2i play{1091, 235}, supplier{1091, 370}, options{1091, 510}, help{1086, 640};
const sf::Vector2i coinSlot{1700, 950}, creditsSign{1071, 950};
const sf::Vector2i selectedCard{1496, 410}, nextArrow{1781, 400}, previousArrow{1211, 400};
// The HUD and the in-game menu.
const sf::Vector2i pauseButton{1600, 1020}, menuButton{1690, 1025}, speedButton{1865, 1025};
const sf::Vector2i gameOptionsItem{600, 575}, quitItem{600, 670}, backLabel{875, 789};
const sf::Vector2i continueButton{1579, 607};

void click(Player& p, sf::Vector2i at) {
    p.click(at.x, at.y);
}

// The press each reading step of the first level's lesson waits for (the light shows where),
// once its text has been up long enough to be read.
void readOn(Player& p) {
    p.driver.runFor(lessonReadingDelay);
    switch (game.lesson.tutorialStep) {
    case StepFriesPedestal:
        return p.click(1376, 680);
    case StepSodaPedestal:
        return p.click(1202, 580);
    case StepBurgerPedestal:
        return p.click(860, 379);
    case StepFriesButton:
    case StepSodaButton:
    case StepBurgerButton: {
        const int type = game.lesson.tutorialStep == StepFriesButton  ? Fries
                         : game.lesson.tutorialStep == StepSodaButton ? Soda
                                                                      : Burger;
        const sf::Vector2f at = game.defence.buildButtons[type].getPosition();
        return p.click(static_cast<int>(at.x), static_cast<int>(at.y));
    }
    case StepFriesTower:
        for (const Tower& tower : game.defence.towers)
            if (tower.type == Fries)
                return p.click(static_cast<int>(tower.x), static_cast<int>(tower.y) - 20);
        return;
    default:
        return p.click(300, 700);
    }
}

void readUntil(Player& p, int step) {
    for (int guard = 0; guard < 40 && game.lesson.tutorialStep < step; ++guard)
        readOn(p);
    ASSERT_EQ(game.lesson.tutorialStep, step);
}

// Chooses a card in the level selection and starts its level.
void startFromSelection(Player& p, int level) {
    if (game.shared.screen != LevelSelect)
        click(p, play);
    for (int guard = 0; guard < 4 && game.shared.currentLevel != level &&
                        !(level == 1 && game.shared.currentLevel == 0);
         ++guard) {
        click(p, (level <= 1 || game.shared.currentLevel > level) ? previousArrow : nextArrow);
        p.playUntil(
            "the carousel", [] { return game.menus.carouselMoving == 0; }, 10.0);
    }
    p.settle();
    click(p, selectedCard);
    ASSERT_EQ(game.shared.screen, InGame);
}

// The language button of the options shown (the cabinet's or the level's), pressed: every
// walk presses one at the same places, the one of the language spoken when it switches none.
void pressLanguage(Player& p, const std::string& code) {
    for (int i = 0; i < game.options.languageCount; ++i) {
        const LanguageButton& button = game.options.languageButtons[i];
        if (button.code != code)
            continue;
        const sf::FloatRect box = button.box.getGlobalBounds();
        p.click(static_cast<int>(box.left + box.width / 2),
                static_cast<int>(box.top + box.height / 2));
        ASSERT_EQ(currentLanguage(), code);
        return;
    }
    FAIL() << "no button for " << code;
}

// The languages of one walk: the one it starts in, then those chosen in the options on the way
// (in the cabinet before the first level, over the first level, and before the last).
struct Languages {
    const char* start;
    const char* switches[3];
};

// Every screen, the game speaking the languages of the walk.
void playEveryScreen(const Languages& languages) {
    speakLanguage(languages.start);
    ASSERT_EQ(currentLanguage(), languages.start);
    std::remove(sandboxSavePath().c_str());
    std::srand(1); // the props' pauses, the television and the reviews
    Player p;
    for (const char* code : languages.switches)
        p.switching = p.switching || std::string(code) != languages.start;
    const int late = framesWithLatePictures();
    FrameDriver& d = p.driver;

    // The intro: the splash's first frame, the logo playing, the title picture.
    d.frame();
    p.look("splash");
    // The logo screen waits for the satisfied voice to end, in real time.
    ASSERT_TRUE(d.runUntil(
        [] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return game.shared.screen == Logo;
        },
        600.0));
    p.settle();
    d.frames(40);
    p.look("logo");
    ASSERT_TRUE(d.runUntil([] { return game.intro.introPhase == 2; }, 20.0));
    d.frames(30);
    p.look("title_picture");
    p.click(900, 600);
    ASSERT_EQ(game.shared.screen, TitleMenu);
    p.look("title_menu");

    // The menu screens, each reached from every other.
    const sf::Vector2i panel[] = {play, supplier, options, help};
    for (const sf::Vector2i from : panel)
        for (const sf::Vector2i to : panel) {
            click(p, from);
            click(p, to);
        }
    click(p, play);
    p.look("level_select");
    click(p, nextArrow);
    p.playUntil(
        "the carousel", [] { return game.menus.carouselMoving == 0; }, 10.0);
    p.look("level_select_padlock");
    click(p, options);
    pressLanguage(p, languages.switches[0]);
    p.look("options");
    click(p, help);
    p.look("help");
    p.click(1631, 450); // the towers
    p.hover(1271, 280); // the burger
    p.look("help_towers");
    click(p, help);
    p.click(1351, 450); // the customers
    p.hover(1271, 515); // the family
    p.look("help_customers");
    click(p, supplier);
    p.look("shop");
    // The credits page, opened from the coin slot, stays over every menu screen.
    click(p, coinSlot);
    d.runUntil([] { return game.credits.creditsState == 2; }, 2.0);
    click(p, creditsSign);
    ASSERT_EQ(game.credits.creditsState, 3);
    p.look("credits");
    for (const sf::Vector2i to : panel)
        click(p, to);
    click(p, creditsSign);
    d.runUntil([] { return game.credits.creditsState == 2; }, 2.0);

    // The first level with its lesson: the welcome, a lit pedestal, the lit Fries button, a
    // newcomer shown with its gauge; then the in-game menu and its options over the level.
    startFromSelection(p, 1);
    d.frames(3);
    p.look("lesson_welcome");
    readUntil(p, StepFriesPedestal);
    d.runFor(0.5);
    p.look("lesson_pedestal");
    readUntil(p, StepFriesButton);
    d.runFor(0.5);
    p.look("lesson_fries_button");
    readUntil(p, 13);
    p.playUntil(
        "a newcomer",
        [] { return game.lesson.tutorialStep == StepBachelor && game.lesson.tutorialRunning == 0; },
        60);
    d.runFor(0.5);
    p.look("lesson_newcomer");
    readOn(p); // while the lesson speaks, every press is its own
    click(p, menuButton);
    ASSERT_EQ(game.shared.screen, GameMenu);
    p.look("game_menu");
    click(p, gameOptionsItem);
    ASSERT_EQ(game.shared.screen, GameOptions);
    pressLanguage(p, languages.switches[1]);
    p.look("game_options");
    click(p, backLabel);
    ASSERT_EQ(game.shared.screen, GameMenu);
    click(p, quitItem);

    // The lesson off in the options; the three levels open, as after winning them.
    click(p, options);
    p.click(1541 + 32, 585 + 32);
    ASSERT_EQ(game.progress.tutorialEnabled, 0);
    game.progress.levelCleared[1] = game.progress.levelCleared[2] = 1;
    game.progress.lockOpened[2] = game.progress.lockOpened[3] = 1;
    click(p, play);
    click(p, nextArrow);
    p.playUntil(
        "the carousel", [] { return game.menus.carouselMoving == 0; }, 10.0);
    p.look("level_select_open");

    // The third map: its first frame, the tower menus on a plain and a turning pedestal (the
    // info panel and the preview under a hovered build button), a tower's own menus.
    startFromSelection(p, 3);
    d.frames(3);
    p.look("map3_start");
    p.click(111, 480);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    {
        const sf::Vector2f fries = game.defence.buildButtons[Fries].getPosition();
        p.hover(static_cast<int>(fries.x), static_cast<int>(fries.y));
    }
    p.look("build_menu_info");
    p.click(282, 580);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    p.look("build_menu_turning");
    {
        const sf::Vector2f soda = game.defence.buildButtons[Soda].getPosition();
        p.click(static_cast<int>(soda.x), static_cast<int>(soda.y));
    }
    ASSERT_EQ(game.defence.towers.size(), 1u);
    p.click(282, 580 - 40);
    ASSERT_EQ(game.defence.towerMenu, SellOnly);
    p.look("tower_sell_menu");
    p.click(900, 900);
    game.progress.upgradeUnlocked[Soda][2] = 1;
    game.defence.maxTowerLevel[Soda] = 2;
    p.click(282, 580 - 40);
    ASSERT_EQ(game.defence.towerMenu, UpgradeToLevel2);
    p.look("tower_upgrade_menu");
    p.click(900, 900);
    // The wave preview at the second wave's countdown, a crowd mid-wave, pause and x2.
    p.click(240, 820);
    p.playUntil(
        "a crowd", [] { return game.waves.wave == 1 && game.waves.spawnedInWave >= 3; }, 60);
    p.look("map3_midwave");
    click(p, pauseButton);
    ASSERT_EQ(game.waveClock.paused, 1);
    p.look("paused");
    click(p, pauseButton);
    click(p, speedButton);
    ASSERT_EQ(game.waveClock.gameSpeed, 2);
    p.look("speed_x2");
    click(p, speedButton);
    p.playUntil(
        "the next countdown", [] { return game.waves.wave == 2 && game.waveClock.countdown == 8; },
        120);
    p.look("map3_preview");
    // A win, its panel and "Continuer".
    game.rating.RatingScore = 9.0f;
    checkLevelEnd();
    d.frames(2);
    p.look("victory");
    click(p, continueButton);
    ASSERT_EQ(game.shared.screen, LevelSelect);

    // The second map: its first frame and a loss.
    startFromSelection(p, 2);
    d.frames(3);
    p.look("map2_start");
    p.click(240, 865);
    p.playUntil(
        "a crowd", [] { return game.waves.spawnedInWave >= 4; }, 60);
    p.look("map2_midwave");
    game.rating.RatingScore = 1.0f;
    checkLevelEnd();
    d.frames(2);
    p.look("defeat");
    click(p, continueButton);

    // The first map without its lesson, mid-wave; its first win brings the shop's lesson over
    // the menus and into the shop.
    startFromSelection(p, 1);
    click(p, sf::Vector2i{481, 295}); // its timer
    p.playUntil(
        "a crowd", [] { return game.crowd.customers.size() >= 2; }, 60);
    p.look("map1_midwave");
    game.rating.RatingScore = 6.0f;
    checkLevelEnd();
    d.frames(2);
    ASSERT_EQ(game.lesson.supplierTutorialPending, 1);
    click(p, continueButton);
    p.look("shop_lesson_menu");
    click(p, sf::Vector2i{300, 700});
    click(p, supplier);
    ASSERT_EQ(game.shared.screen, Shop);
    p.look("shop_lesson");

    // The lesson on again: the second map's sign is explained before it starts.
    for (int guard = 0; guard < 12 && game.lesson.supplierTutorialPending; ++guard)
        click(p, sf::Vector2i{300, 700});
    click(p, options);
    p.click(1541 + 32, 585 + 32);
    ASSERT_EQ(game.progress.tutorialEnabled, 1);
    pressLanguage(p, languages.switches[2]);
    startFromSelection(p, 2);
    d.frames(3);
    p.look("map2_sign");

    EXPECT_EQ(p.looked, 36);
    EXPECT_EQ(framesWithLatePictures(), late) << "a frame drew a picture without its pixels";
    std::remove(sandboxSavePath().c_str());
    speakLanguage("fr");
}

} // namespace

TEST(Screens, EveryScreenAsThePlayerSeesItAndNoFrameMissesAPicture) {
    playEveryScreen({"fr", {"fr", "fr", "fr"}});
}

TEST(Screens, EveryScreenInEnglish) {
    playEveryScreen({"en", {"en", "en", "en"}});
}

TEST(Screens, EveryScreenInSpanish) {
    playEveryScreen({"es", {"es", "es", "es"}});
}

// Switched as a player does, each screen after a switch looks as it does in a game started in
// that language: what was made once in the language before (the menus' composites, the labels,
// the pictures with words) follows.
TEST(Screens, EveryScreenWithTheLanguageSwitchedOnTheWay) {
    playEveryScreen({"fr", {"en", "es", "fr"}});
}
