// A played first level: towers bought with real presses on the pedestals feed the waves.
#include "customers/records.h"
#include "ground/game.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Screenshots go where GOBBLER_SCREENSHOTS points, when it is set (a developer looking).
void screenshot(FrameDriver& driver, const char* name) {
    if (const char* folder = std::getenv("GOBBLER_SCREENSHOTS"))
        driver.screenshot(std::string(folder) + "/" + name);
}

void click(FrameDriver& driver, float x, float y) {
    driver.click(static_cast<int>(x), static_cast<int>(y));
    driver.moveMouse(1900, 20);
}

TowerSlot* pedestalAt(float x, float y) {
    for (TowerSlot& slot : game.level.slots)
        if (slot.x == x && slot.y == y)
            return &slot;
    return nullptr;
}

// The pedestal, then the build button: what a player does.
bool buy(FrameDriver& driver, float x, float y, int type) {
    TowerSlot* slot = pedestalAt(x, y);
    if (!slot || slot->occupied)
        return false;
    click(driver, x, y);
    if (game.defence.towerMenu != BuildMenu)
        return false;
    const sf::Vector2f button = game.defence.buildButtons[type].getPosition();
    click(driver, button.x, button.y);
    return slot->occupied == 1;
}

} // namespace

TEST(TowersGame, TowersBoughtOnTheFirstMapFeedTheWaves) {
    // Thirty frames a second: the game runs on measured time, and the run stays short.
    FrameDriver driver(1.0 / 30.0);
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.release();
    driver.frame();
    ASSERT_EQ(game.level.slots.size(), 6u) << "the first map's pedestals";
    ASSERT_EQ(game.rating.money, 320);

    // A burger tower on the turning pedestal at the corner of the aisle and a soda tower
    // beside it; fries at the top once money comes in.
    EXPECT_TRUE(buy(driver, 1202.5f, 580, Burger));
    EXPECT_TRUE(buy(driver, 1032, 680, Soda));
    EXPECT_EQ(game.rating.money, 320 - 240);
    EXPECT_EQ(game.defence.towers.size(), 2u);

    bool fedAnyone = false, splashSeen = false, burgerSeen = false;
    bool burgerShot = false, splashShot = false, friesBought = false;
    const double end = driver.clockSeconds + 120;
    // Played until there was a burger in flight and a splash on the floor to look at, and
    // someone went home fed.
    while (driver.clockSeconds < end &&
           !(burgerShot && splashShot && game.rating.RatingScore > 0)) {
        driver.frame();
        for (const Customer& c : game.crowd.customers)
            fedAnyone = fedAnyone || c.fed > 0;
        bool splashNow = false, burgerNow = false;
        for (const Projectile& p : game.defence.projectiles) {
            splashNow = splashNow || p.kind == Soda;
            burgerNow = burgerNow || p.kind == Burger;
        }
        splashSeen = splashSeen || splashNow;
        burgerSeen = burgerSeen || burgerNow;
        if (!friesBought && game.rating.money >= 100)
            friesBought = buy(driver, 860.5f, 379.5f, Fries);
        if (!burgerShot && burgerNow && game.crowd.customers.size() >= 2) {
            screenshot(driver, "towers_burger_in_flight.png");
            burgerShot = true;
        }
        if (!splashShot && splashNow && game.crowd.customers.size() >= 2) {
            screenshot(driver, "towers_soda_splash.png");
            splashShot = true;
        }
    }
    EXPECT_TRUE(fedAnyone);
    EXPECT_TRUE(splashSeen);
    EXPECT_TRUE(burgerSeen);
    EXPECT_GT(game.rating.RatingScore, 0.0f) << "fed customers raised the rating on their way out";
}
