// Food towers: the catalogue, the pedestal and tower menus, targeting, attacks, projectiles.
#include "assets/assets.h"
#include "customers/customers.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// A running level screen without a wave in sight: the countdown never ends, the tutorial is
// off, and the pedestals are the test's own.
struct Level {
    explicit Level(double frameSeconds = 1.0 / 60.0) : driver(frameSeconds) {
        game.progress.tutorialEnabled = 0;
        game.shared.currentLevel = 1;
        game.shared.screen = InGame;
        game.waveClock.countdown = 100000;
        game.waveClock.countdownTickTime = 0;
        game.rating.money = 5000;
        game.level.goalPoint = sf::Vector2f(513, 1072);
        // Well into the game, as after a countdown: a burger tower built now may throw at once.
        driver.clockSeconds = 10;
        driver.frame();
    }

    TowerSlot& pedestal(int facing, float x, float y) {
        game.level.slots.emplace_front();
        TowerSlot& slot = game.level.slots.front();
        slot.facing = facing;
        slot.x = x;
        slot.y = y;
        return slot;
    }

    // A press on its own, then the release: one press, one action.
    void click(sf::Vector2f at) { click(static_cast<int>(at.x), static_cast<int>(at.y)); }
    void click(int x, int y) {
        driver.press(x, y);
        frame();
        driver.release();
        frame();
        driver.moveMouse(0, 0); // park the pointer away from every hover
    }

    // Builds through the real clicks: the pedestal, then the type's build button.
    Tower* build(TowerSlot& slot, int type) {
        click(static_cast<int>(slot.x), static_cast<int>(slot.y));
        if (game.defence.towerMenu != BuildMenu)
            return nullptr;
        const std::size_t before = game.defence.towers.size();
        click(game.defence.buildButtons[type].getPosition());
        return game.defence.towers.size() > before ? &game.defence.towers.front() : nullptr;
    }

    // Where a press opens a tower's menu: the middle of its lowest 204 pixels.
    static sf::Vector2f pressPoint(const Tower& tower) {
        const TowerStats& s = tower.stats;
        const float bottom = tower.y - s.originY + s.frameHeight;
        return {tower.x - s.originX + s.hoverBox.left + s.hoverBox.width / 2, bottom - 102};
    }

    void openMenu(const Tower& tower) { click(pressPoint(tower)); }

    void upgrade(const Tower& tower) {
        openMenu(tower);
        ASSERT_TRUE(game.defence.towerMenu == UpgradeToLevel2 ||
                    game.defence.towerMenu == UpgradeToLevel3);
        click(game.defence.upgradeButton.getPosition());
    }

    // Customers stay where the test put them: walking would take them out of range.
    Customer& customer(int type, float x, float y) {
        Customer& c = spawnCustomer(type, DownRight, 0, x, y);
        pinned.push_back({&c, sf::Vector2f(x, y)});
        return c;
    }
    void pinAll() {
        for (auto& pin : pinned) {
            pin.first->x = pin.first->pathX = pin.second.x;
            pin.first->y = pin.first->pathY = pin.second.y;
        }
    }
    void frame() {
        pinAll();
        driver.frame();
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i)
            frame();
    }
    template <class Condition> bool runUntil(Condition condition, double maxSeconds) {
        const double end = driver.clockSeconds + maxSeconds;
        while (!condition()) {
            if (driver.clockSeconds >= end)
                return false;
            frame();
        }
        return true;
    }

    FrameDriver driver;
    std::vector<std::pair<Customer*, sf::Vector2f>> pinned;
};

std::string text(int index) {
    return game.defence.infoTexts[index].getString().toAnsiString();
}

} // namespace

// ------------------------------------------------------------------ catalogue

TEST(TowersCatalogue, SaleValuesReturnHalfOfEverythingPaid) {
    FrameDriver driver;
    const auto& c = game.defence.towerCatalogue;
    EXPECT_EQ(c[Fries][2].saleValue, 280);
    EXPECT_EQ(c[Burger][0].saleValue, 95);
    EXPECT_EQ(c[Fries][1].saleValue, 140);
    EXPECT_EQ(c[Burger][2].saleValue, 350);
    EXPECT_EQ(c[Soda][0].saleValue, 25);
    EXPECT_EQ(c[Soda][2].saleValue, 210);
    for (int level = 0; level < 3; ++level)
        EXPECT_EQ(c[Soda][level].feed, 2) << "every soda level feeds 2 a hit";
    EXPECT_STREQ(c[Fries][0].name, "Tourelle \n  Frites");
    EXPECT_STREQ(c[Burger][2].name, " Tour \nBurger");
    EXPECT_STREQ(c[Soda][1].name, "Tour \nSoda");
    EXPECT_EQ(c[Soda][2].frameCount, 12);
    EXPECT_FLOAT_EQ(c[Fries][1].hoverBox.top, 41);
    EXPECT_FLOAT_EQ(c[Fries][1].hoverBox.width, 155);
}

TEST(TowersCatalogue, NewTowerIsCentredForItsFirstFrameThenTakesTheCatalogueOrigin) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    game.defence.selectedSlot = &slot;
    Tower& tower = buildTower(Soda, slot.facing, slot.x, slot.y);
    EXPECT_EQ(tower.frameRect, sf::IntRect(0, 0, 389, 445));
    EXPECT_EQ(tower.sprite.getOrigin(), sf::Vector2f(194, 222));
    EXPECT_FLOAT_EQ(tower.lastFireTime, -1.0f);
    EXPECT_EQ(tower.slot, &slot);
    level.frame();
    EXPECT_EQ(tower.sprite.getOrigin(), sf::Vector2f(176, 354));
}

// ------------------------------------------------------------------ range and ranking

TEST(TowersTargeting, RangeIsTheEllipseInscribedInTheRangeDisc) {
    FrameDriver driver;
    Tower tower;
    tower.x = 800;
    tower.y = 600;
    tower.rangeSprite.setTextureRect(sf::IntRect(0, 0, 300, 200));
    tower.rangeSprite.setOrigin(150, 100);
    tower.rangeSprite.setPosition(800, 600);
    EXPECT_TRUE(RangeEllipse(tower).contains(950, 600)) << "exactly on the ellipse";
    EXPECT_TRUE(RangeEllipse(tower).contains(800, 500));
    EXPECT_TRUE(RangeEllipse(tower).contains(650, 600));
    EXPECT_FALSE(RangeEllipse(tower).contains(950.5f, 600));
    EXPECT_FALSE(RangeEllipse(tower).contains(800, 700.5f));
    EXPECT_FALSE(RangeEllipse(tower).contains(910, 680)) << "inside the box, outside the ellipse";
    // Without a disc picture nothing is in range (and nothing divides by zero).
    tower.rangeSprite = sf::Sprite();
    EXPECT_FALSE(RangeEllipse(tower).contains(800, 600));
}

TEST(TowersTargeting, NearestToTheGoalFirstAndTheNewerCustomerWinsTies) {
    FrameDriver driver;
    game.level.goalPoint = sf::Vector2f(500, 1000);
    Tower tower;
    tower.x = 500;
    tower.y = 600;
    tower.rangeSprite.setTextureRect(sf::IntRect(0, 0, 1000, 1000));
    tower.rangeSprite.setOrigin(500, 500);
    tower.rangeSprite.setPosition(500, 600);

    Customer& older = spawnCustomer(Bachelor, DownRight, 0, 400, 800); // distance 223.6
    Customer& far = spawnCustomer(Bachelor, DownRight, 0, 500, 500);   // 500
    Customer& newer = spawnCustomer(Bachelor, DownRight, 0, 600, 800); // 223.6, newest
    EXPECT_EQ(chooseTargets(tower), 3);
    EXPECT_EQ(game.defence.firstTarget, &newer);
    EXPECT_EQ(game.defence.secondTarget, &older);
    EXPECT_EQ(game.defence.thirdTarget, &far);

    // The path position decides, not the drawn one (side-steps do not change priority).
    far.x = 500;
    far.y = 990;
    EXPECT_EQ(chooseTargets(tower), 3);
    EXPECT_EQ(game.defence.thirdTarget, &far);

    // A full customer is no candidate; with two left the third reference repeats the first.
    newer.fed = newer.appetite;
    EXPECT_EQ(chooseTargets(tower), 2);
    EXPECT_EQ(game.defence.firstTarget, &older);
    EXPECT_EQ(game.defence.secondTarget, &far);
    EXPECT_EQ(game.defence.thirdTarget, &older);

    far.fed = far.appetite;
    EXPECT_EQ(chooseTargets(tower), 1);
    EXPECT_EQ(game.defence.secondTarget, &older);
    EXPECT_EQ(game.defence.thirdTarget, &older);
}

// ------------------------------------------------------------------ menus

TEST(TowersMenus, PedestalAnswersWithin51PixelsNot52) {
    Level level;
    level.pedestal(0, 700, 500);
    level.click(752, 500);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    level.click(648, 500);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    level.click(700, 530);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    level.click(751, 500);
    EXPECT_EQ(game.defence.towerMenu, BuildMenu);
    level.click(300, 300);
    EXPECT_EQ(game.defence.towerMenu, Closed) << "a press on the floor closes the menu";
    level.click(649, 529);
    EXPECT_EQ(game.defence.towerMenu, BuildMenu);
    EXPECT_EQ(game.defence.selectedSlot, &game.level.slots.front());
    // The buttons stand around the pedestal.
    const float friesHeight = game.defence.buildButtons[Fries].getGlobalBounds().height;
    EXPECT_EQ(game.defence.buildButtons[Fries].getPosition(),
              sf::Vector2f(700, 500 - 105 - friesHeight));
    EXPECT_EQ(game.defence.buildButtons[Burger].getPosition(), sf::Vector2f(596, 440));
    EXPECT_EQ(game.defence.buildButtons[Soda].getPosition(), sf::Vector2f(804, 440));
}

TEST(TowersMenus, ThePressThatOpensTheMenuDoesNotAlsoBuild) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    level.driver.press(700, 500);
    level.frame();
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    const sf::Vector2f button = game.defence.buildButtons[Burger].getPosition();
    level.driver.moveMouse(static_cast<int>(button.x), static_cast<int>(button.y));
    level.frames(5);
    EXPECT_TRUE(game.defence.towers.empty()) << "the held press was already used";
    level.driver.release();
    level.frame();
    level.click(button);
    ASSERT_EQ(game.defence.towers.size(), 1u);
    EXPECT_EQ(game.defence.towers.front().type, Burger);
    EXPECT_EQ(slot.occupied, 1);
    EXPECT_EQ(game.rating.money, 5000 - 190);
    EXPECT_EQ(game.defence.towerMenu, Closed);
}

TEST(TowersMenus, BuildingNeedsTheWholePrice) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    // A price the money does not cover shows red under its button, and turns back as the money
    // comes in.
    level.click(700, 500);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    // How many red pixels under the button; `redAt` sums where they stand sideways.
    int redAt = 0;
    const auto redUnder = [&](int type) {
        const sf::Image shown = level.driver.frameImage();
        const sf::FloatRect button = game.defence.buildButtons[type].getGlobalBounds();
        int red = 0;
        redAt = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = -40; x < 40; ++x) {
                const sf::Color c =
                    shown.getPixel(static_cast<unsigned>(button.left + button.width / 2 + x),
                                   static_cast<unsigned>(button.top + button.height + y));
                const bool isRed = c.r > 160 && c.g < 80 && c.b < 80;
                red += isRed;
                redAt += isRed ? x : 0;
            }
        return red;
    };
    const int burgerCost = game.defence.towerCatalogue[Burger][0].cost;
    game.rating.money = burgerCost - 1;
    EXPECT_GT(redUnder(Burger), 40);
    EXPECT_EQ(redUnder(Fries), 0);
    game.rating.money = burgerCost;
    EXPECT_EQ(redUnder(Burger), 0);
    level.click(900, 900);

    // A press on a price the till cannot pay says so: a short sound, the price shakes a moment,
    // and the menu stays open.
    game.rating.money = 99;
    stopSound(SoundRefused);
    EXPECT_EQ(level.build(slot, Fries), nullptr);
    EXPECT_TRUE(game.defence.towerMenu == BuildMenu && !soundStopped(SoundRefused));
    EXPECT_TRUE(game.rating.money == 99 && slot.occupied == 0);
    redUnder(Fries);
    const int shaken = redAt;
    level.driver.runFor(0.5);
    redUnder(Fries);
    EXPECT_NE(redAt, shaken) << "the price shook, then stood still";

    // A press on a price is a press on its button: here it buys.
    game.rating.money = 100;
    const sf::FloatRect price =
        priceLabel(game.defence.priceText, 100, game.defence.buildButtons[Fries]).getGlobalBounds();
    level.click(static_cast<int>(price.left + price.width / 2),
                static_cast<int>(price.top + price.height / 2));
    ASSERT_FALSE(game.defence.towers.empty());
    Tower* tower = &game.defence.towers.front();
    EXPECT_EQ(game.rating.money, 0);
    EXPECT_EQ(slot.occupied, 1);
    EXPECT_EQ(tower->slot, &slot);
    EXPECT_EQ(tower->x, 700);
    EXPECT_EQ(game.defence.towerMenu, Closed);

    // An occupied pedestal opens no build menu: the press reaches the tower standing on it.
    level.click(700, 500);
    EXPECT_EQ(game.defence.towerMenu, SellOnly);
}

// A red price reads on every floor: on every pedestal of the three maps, the contrast (as the
// web's accessibility guidelines measure it) between the price's letters and the pixels within
// three of them, as the frame shows them, is at least 4.5 to 1.
TEST(TowersMenus, ARedPriceReadsOnEveryPedestalOfTheThreeMaps) {
    const auto linear = [](double v) {
        return v <= 10.3 ? v / 3294.6 : std::pow((v / 255 + 0.055) / 1.055, 2.4);
    };
    const auto luminance = [&](sf::Color c) {
        return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    };
    sf::RenderTexture letters;
    ASSERT_TRUE(letters.create(1920, 1080));
    for (int map = 1; map <= 3; ++map) {
        FrameDriver driver;
        game.progress.tutorialEnabled = 0;
        driver.startLevel(map);
        game.rating.money = 0;
        double lowest = 100;
        for (TowerSlot& slot : game.level.slots)
            for (int type = 0; type < TowerTypeCount; ++type) {
                openBuildMenu(slot);
                driver.frame();
                const sf::Image shown = driver.frameImage();
                sf::Text fill =
                    priceLabel(game.defence.priceText, game.defence.towerCatalogue[type][0].cost,
                               game.defence.buildButtons[type]);
                fill.setOutlineThickness(0); // the letters alone: which pixels they cover
                letters.clear(sf::Color::Transparent);
                letters.draw(fill);
                letters.display();
                const sf::Image mask = letters.getTexture().copyToImage();
                const sf::FloatRect box = fill.getGlobalBounds();
                double sum[3] = {}, count[3] = {}; // the letters' own pixels, those around
                for (unsigned y = box.top - 4; y < box.top + box.height + 4; ++y)
                    for (unsigned x = box.left - 4; x < box.left + box.width + 4; ++x) {
                        const int alpha = mask.getPixel(x, y).a;
                        int kind = alpha == 255 ? 0 : 2;
                        for (unsigned dy = y - 3; alpha == 0 && dy <= y + 3; ++dy)
                            for (unsigned dx = x - 3; dx <= x + 3; ++dx)
                                kind = mask.getPixel(dx, dy).a > 0 ? 1 : kind;
                        sum[kind] += luminance(shown.getPixel(x, y));
                        count[kind] += 1;
                    }
                const double a = sum[0] / count[0], b = sum[1] / count[1];
                lowest = std::min(lowest, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
            }
        EXPECT_GE(lowest, 4.5) << "map " << map;
        RecordProperty("lowestContrastOnMap" + std::to_string(map), std::to_string(lowest));
    }
}

TEST(TowersMenus, SellingReturnsTheSaleValueAndFreesThePedestalAtOnce) {
    Level level;
    TowerSlot& slot = level.pedestal(1, 700, 500);
    Tower* soda = level.build(slot, Soda);
    ASSERT_NE(soda, nullptr);
    const int money = game.rating.money;
    level.openMenu(*soda);
    EXPECT_EQ(game.defence.towerMenu, SellOnly);
    EXPECT_EQ(game.defence.selectedTower, soda);
    EXPECT_EQ(game.defence.towerInfoVisible, 1);
    EXPECT_EQ(game.defence.sellButton.getPosition(), sf::Vector2f(596, 500 - 354 + 445 / 2));
    level.click(game.defence.sellButton.getPosition());
    EXPECT_EQ(game.rating.money, money + 25);
    EXPECT_TRUE(game.defence.towers.empty());
    EXPECT_EQ(slot.occupied, 0);
    EXPECT_EQ(game.defence.selectedTower, nullptr);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    EXPECT_EQ(game.defence.towerInfoVisible, 0);
    level.frames(2);
    EXPECT_NE(level.build(slot, Burger), nullptr) << "the freed pedestal takes a tower at once";
}

// Built, upgraded and sold through the menus: every type at every level sells for half of
// its build price and upgrades together.
TEST(TowersMenus, EveryTowerSellsForHalfOfAllItPaidAtEveryLevel) {
    Level level;
    const int costs[TowerTypeCount][3] = {{100, 180, 280}, {190, 240, 270}, {50, 150, 220}};
    TowerSlot& slot = level.pedestal(0, 700, 500);
    for (int type = 0; type < TowerTypeCount; ++type) {
        game.progress.upgradeUnlocked[type][2] = game.progress.upgradeUnlocked[type][3] = 1;
        for (int top = 0; top < 3; ++top) {
            SCOPED_TRACE("type " + std::to_string(type) + " level " + std::to_string(top + 1));
            int paid = 0, money = game.rating.money;
            Tower* tower = level.build(slot, type);
            ASSERT_NE(tower, nullptr);
            for (int next = 0; next <= top; ++next) {
                if (next > 0)
                    level.upgrade(*tower);
                paid += costs[type][next];
                EXPECT_EQ(tower->level, next);
                EXPECT_EQ(game.rating.money, money - paid);
            }
            money = game.rating.money;
            level.openMenu(*tower);
            level.click(game.defence.sellButton.getPosition());
            EXPECT_TRUE(game.defence.towers.empty());
            EXPECT_EQ(game.rating.money, money + paid / 2);
        }
    }
}

TEST(TowersMenus, UpgradeOnlyWhenTheShopUnlockedTheNextLevelAndTheRowIsKept) {
    Level level;
    TowerSlot& slot = level.pedestal(1, 700, 500);
    Tower* burger = level.build(slot, Burger);
    ASSERT_NE(burger, nullptr);
    level.frame();
    EXPECT_EQ(burger->frameRect.top, 181) << "row 1 of the sheet on a facing-1 pedestal";

    level.openMenu(*burger);
    EXPECT_EQ(game.defence.towerMenu, SellOnly) << "level 2 still locked";
    level.click(900, 900);

    game.progress.upgradeUnlocked[Burger][2] = 1;
    level.openMenu(*burger);
    ASSERT_EQ(game.defence.towerMenu, UpgradeToLevel2);
    EXPECT_EQ(game.defence.upgradeButton.getPosition(), sf::Vector2f(804, 500 - 147 + 181 / 2));

    // Not enough money: the price is refused and the menu stays.
    game.rating.money = 239;
    level.click(game.defence.upgradeButton.getPosition());
    EXPECT_EQ(burger->level, 0);
    EXPECT_EQ(game.rating.money, 239);
    EXPECT_EQ(game.defence.towerMenu, UpgradeToLevel2);
    EXPECT_EQ(game.defence.refusedPrice, UpgradePrice);
    level.click(900, 900);

    game.rating.money = 240;
    level.upgrade(*burger);
    EXPECT_EQ(burger->level, 1);
    EXPECT_EQ(burger->stats.feed, 28);
    EXPECT_EQ(burger->stats.saleValue, 215);
    EXPECT_EQ(game.rating.money, 0);
    EXPECT_EQ(burger->frameRect, sf::IntRect(0, 211, 200, 211)) << "still row 1";
    EXPECT_EQ(burger->sprite.getTexture(), game.defence.towerCatalogue[Burger][1].towerTexture);
    EXPECT_EQ(burger->sprite.getOrigin(), sf::Vector2f(96, 177));
    level.frame();
    EXPECT_EQ(burger->rangeSprite.getTexture(),
              game.defence.towerCatalogue[Burger][1].rangeTexture);

    // Level 3 stays locked: the menu offers the sale only.
    game.rating.money = 1000;
    level.openMenu(*burger);
    EXPECT_EQ(game.defence.towerMenu, SellOnly);
}

TEST(TowersMenus, TurningAndSodaTowersKeepTheirRowOnUpgrade) {
    Level level;
    game.progress.upgradeUnlocked[Fries][2] = 1;
    game.progress.upgradeUnlocked[Soda][2] = 1;
    TowerSlot& turning = level.pedestal(4, 600, 450);
    TowerSlot& sodaSlot = level.pedestal(2, 1200, 450);
    Tower* fries = level.build(turning, Fries);
    Tower* soda = level.build(sodaSlot, Soda);
    ASSERT_TRUE(fries && soda);
    fries->frameRect.top = 3 * 244; // turned towards someone up and left
    level.upgrade(*fries);
    EXPECT_EQ(fries->frameRect, sf::IntRect(0, 3 * 218, 317, 218));
    level.upgrade(*soda);
    EXPECT_EQ(soda->level, 1);
    EXPECT_EQ(soda->frameRect.top, 0) << "a soda tower always shows row 0";
    level.frame();
    EXPECT_EQ(soda->frameRect.top, 0);
}

TEST(TowersMenus, HoveringTheUpgradeShowsAndUsesTheNextDisc) {
    Level level;
    game.progress.upgradeUnlocked[Fries][2] = 1;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    level.openMenu(*fries);
    ASSERT_EQ(game.defence.towerMenu, UpgradeToLevel2);
    const sf::Vector2f button = game.defence.upgradeButton.getPosition();
    level.driver.moveMouse(static_cast<int>(button.x), static_cast<int>(button.y));
    level.frame();
    EXPECT_EQ(fries->showRange, 1);
    EXPECT_EQ(fries->rangeSprite.getTexture(), game.defence.towerCatalogue[Fries][1].rangeTexture);
    const sf::FloatRect wide = fries->rangeSprite.getGlobalBounds();
    EXPECT_FLOAT_EQ(wide.left + wide.width / 2, 700) << "the larger disc stays centred";
    level.driver.moveMouse(0, 0);
    level.frame();
    EXPECT_EQ(fries->rangeSprite.getTexture(), game.defence.towerCatalogue[Fries][0].rangeTexture);
    EXPECT_EQ(fries->showRange, 1) << "the open menu keeps the disc shown";
    level.click(300, 300);
    EXPECT_EQ(fries->showRange, 0);
}

TEST(TowersMenus, InfoPanelTextsForOneAndTwoColumns) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    level.openMenu(*fries);
    level.frame();
    EXPECT_EQ(game.defence.infoPanel.getTexture(), game.defence.infoPanelTexture);
    EXPECT_EQ(text(0), "Tourelle \n  Frites");
    EXPECT_EQ(text(1), "Niv.1");
    EXPECT_EQ(text(2), "6");
    EXPECT_EQ(text(3), "0.50s");
    EXPECT_EQ(text(4), "150.00");

    game.defence.maxTowerLevel[Fries] = 2; // the shop sells level 2
    level.frame();
    EXPECT_EQ(game.defence.infoPanel.getTexture(), game.defence.infoPanel2Texture);
    EXPECT_EQ(text(1), "Niv.1                Niv.2");
    EXPECT_EQ(text(2), "6                      7");
    EXPECT_EQ(text(3), "0.50s               0.80s");
    EXPECT_EQ(text(4), "150.00                200.00");
    EXPECT_EQ(game.defence.infoPanel.getPosition(), sf::Vector2f(1000, 800));
    EXPECT_EQ(game.defence.infoTexts[4].getPosition(), sf::Vector2f(1250, 1005));
    EXPECT_EQ(game.defence.infoTexts[0].getFillColor(), sf::Color::White);
    EXPECT_EQ(game.defence.infoTexts[1].getCharacterSize(), 25u);

    // The build menu previews the level-1 row of the hovered button.
    TowerSlot& other = level.pedestal(0, 1200, 500);
    level.click(1200, 500);
    ASSERT_EQ(game.defence.towerMenu, BuildMenu);
    const sf::Vector2f burger = game.defence.buildButtons[Burger].getPosition();
    level.driver.moveMouse(static_cast<int>(burger.x), static_cast<int>(burger.y));
    level.frame();
    EXPECT_EQ(game.defence.towerInfoVisible, 0);
    EXPECT_EQ(text(0), " Tour \nBurger");
    EXPECT_EQ(text(1), "Niv.1");
    EXPECT_EQ(text(2), "25");
    EXPECT_EQ(text(3), "1.50s");
    EXPECT_EQ(game.defence.infoPanel.getTexture(), game.defence.infoPanelTexture);
    EXPECT_EQ(other.occupied, 0);
    level.click(900, 900);

    // Every type at every level, as the player reads it (here in English, each line inside the
    // panel): the build button's hover shows the first row, a tower's menu its own row, beside
    // the next one once the shop sells it.
    speakLanguage("en");
    ASSERT_EQ(currentLanguage(), "en");
    const auto expectPanel = [&](const TowerStats& now, const TowerStats* next, int at) {
        char figures[4][80];
        if (next) {
            std::snprintf(figures[0], 80, tr("Niv.%d                Niv.%d"), at + 1, at + 2);
            std::snprintf(figures[1], 80, "%d                      %d", now.feed, next->feed);
            std::snprintf(figures[2], 80, "%.2fs               %.2fs", now.fireInterval,
                          next->fireInterval);
            std::snprintf(figures[3], 80, "%.2f                %.2f", now.range, next->range);
        } else {
            std::snprintf(figures[0], 80, tr("Niv.%d"), at + 1);
            std::snprintf(figures[1], 80, "%d", now.feed);
            std::snprintf(figures[2], 80, "%.2fs", now.fireInterval);
            std::snprintf(figures[3], 80, "%.2f", now.range);
        }
        EXPECT_EQ(game.defence.infoPanel.getTexture(),
                  next ? game.defence.infoPanel2Texture : game.defence.infoPanelTexture);
        EXPECT_EQ(text(0), tr(now.name));
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(text(line + 1), figures[line]) << now.name << " level " << at + 1;
        const sf::FloatRect panel = game.defence.infoPanel.getGlobalBounds();
        for (const sf::Text& line : game.defence.infoTexts) {
            const sf::FloatRect at = line.getGlobalBounds();
            EXPECT_TRUE(panel.contains(at.left, at.top) &&
                        panel.contains(at.left + at.width, at.top + at.height))
                << text(0);
        }
    };
    float x = 300;
    for (int type = 0; type < TowerTypeCount; ++type) {
        const TowerStats* rows = game.defence.towerCatalogue[type];
        TowerSlot& free = level.pedestal(0, x += 250, 300);
        level.click(free.x, free.y);
        const sf::Vector2f button = game.defence.buildButtons[type].getPosition();
        level.driver.moveMouse(static_cast<int>(button.x), static_cast<int>(button.y));
        level.frame();
        expectPanel(rows[0], nullptr, 0);
        level.driver.moveMouse(0, 0);
        Tower* tower = level.build(free, type);
        ASSERT_NE(tower, nullptr);
        for (int at = 0; at < 3; ++at) {
            game.defence.maxTowerLevel[type] = at + 1;
            level.openMenu(*tower);
            expectPanel(rows[at], nullptr, at);
            if (at == 2)
                break;
            game.progress.upgradeUnlocked[type][at + 2] = 1;
            game.defence.maxTowerLevel[type] = at + 2;
            level.openMenu(*tower);
            expectPanel(rows[at], &rows[at + 1], at);
            // Hovering the upgrade button leaves the comparison up.
            const sf::Vector2f upgrade = game.defence.upgradeButton.getPosition();
            level.driver.moveMouse(static_cast<int>(upgrade.x), static_cast<int>(upgrade.y));
            level.frame();
            expectPanel(rows[at], &rows[at + 1], at);
            level.click(upgrade);
            ASSERT_EQ(tower->level, at + 1);
        }
        level.click(900, 900);
    }
    speakLanguage("fr");
}

TEST(TowersMenus, SaleAndUpgradeActOnlyOnAStandingTower) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    level.openMenu(*fries);
    ASSERT_EQ(game.defence.selectedTower, fries);
    // Removed by someone else (the tutorial may do so): nothing keeps pointing at it.
    removeTower(*fries);
    EXPECT_EQ(game.defence.selectedTower, nullptr);
    EXPECT_EQ(game.defence.towerMenu, Closed);
    EXPECT_EQ(slot.occupied, 0);
    level.frames(2);

    // A menu left open on a tower that is not standing sells and upgrades nothing.
    Tower* again = level.build(slot, Fries);
    ASSERT_NE(again, nullptr);
    level.openMenu(*again);
    Tower ghost = *again;
    game.defence.selectedTower = &ghost;
    const int money = game.rating.money;
    level.click(game.defence.sellButton.getPosition());
    EXPECT_EQ(game.rating.money, money);
    EXPECT_EQ(game.defence.towers.size(), 1u);
    EXPECT_EQ(slot.occupied, 1);
    game.defence.selectedTower = nullptr;
}

// ------------------------------------------------------------------ attacks

namespace {

// The scripted times at which a customer's fries hits happened.
std::vector<double> friesAttackTimes(Level& level, Customer& target, double seconds) {
    std::vector<double> times;
    const double end = level.driver.clockSeconds + seconds;
    while (level.driver.clockSeconds < end) {
        target.fed = 0; // always hungry
        const float before = target.hitTimes[Fries];
        level.frame();
        if (target.hitTimes[Fries] != before)
            times.push_back(level.driver.clockSeconds);
    }
    return times;
}

} // namespace

TEST(TowersAttacks, LevelOneFriesAttacksAboutEveryNineTenthsOfASecond) {
    // Short frames, so that the frame length hardly adds to the rhythm being measured.
    for (int speed : {1, 2}) {
        Level level(speed == 1 ? 0.004 : 0.002);
        game.waveClock.gameSpeed = speed;
        TowerSlot& slot = level.pedestal(0, 700, 500);
        Customer& eater = level.customer(BigEater, 720, 520);
        ASSERT_NE(level.build(slot, Fries), nullptr);
        const std::vector<double> times = friesAttackTimes(level, eater, 1.9 / speed);
        ASSERT_GE(times.size(), 2u) << "speed " << speed;
        for (std::size_t i = 1; i < times.size(); ++i)
            EXPECT_NEAR(times[i] - times[i - 1], 0.9 / speed, 0.05 / speed) << "speed " << speed;
    }
}

TEST(TowersAttacks, FriesWaitsForTheEndOfItsGestureAtRealFrameRates) {
    // At real 1/60 s frames a 0.05 s gesture step takes 3 or 4 frames and the 0.5 s wait 31, so
    // a level-1 Fries tower attacks every 0.92 to 1.05 s, and at double speed (a step every 2
    // frames, the wait 16) every 0.52 to 0.53 s: never again while its gesture still runs.
    // At 20 frames a second the steps and the wait keep the pace they have at 60.
    for (int speed : {1, 2}) {
        double atSixty = 0;
        for (double frameSeconds : {1.0 / 60.0, 1.0 / 20.0}) {
            Level level(frameSeconds);
            game.waveClock.gameSpeed = speed;
            TowerSlot& slot = level.pedestal(0, 700, 500);
            Customer& eater = level.customer(BigEater, 720, 520);
            Tower* fries = level.build(slot, Fries);
            ASSERT_NE(fries, nullptr);
            std::vector<double> times;
            const double end = level.driver.clockSeconds + 8.0 / speed;
            while (level.driver.clockSeconds < end) {
                eater.fed = 0;
                const float before = eater.hitTimes[Fries];
                const int wasFiring = fries->firing;
                level.frame();
                if (eater.hitTimes[Fries] == before)
                    continue;
                times.push_back(level.driver.clockSeconds);
                EXPECT_EQ(wasFiring, 0) << "an attack while the gesture ran, speed " << speed;
            }
            ASSERT_GE(times.size(), 7u) << "speed " << speed << ", frame " << frameSeconds;
            const double pace =
                (times.back() - times.front()) / static_cast<double>(times.size() - 1);
            if (frameSeconds != 1.0 / 60.0) {
                EXPECT_NEAR(pace, atSixty, 0.02) << "speed " << speed;
                continue;
            }
            atSixty = pace;
            for (std::size_t i = 1; i < times.size(); ++i) {
                EXPECT_GE(times[i] - times[i - 1], 0.9 / speed) << "speed " << speed;
                EXPECT_LE(times[i] - times[i - 1], 1.07 / speed) << "speed " << speed;
            }
        }
    }
}

TEST(TowersAttacks, NewTowerMayAttackAtOnceAndAnIdleTowerLooksAgainEachInterval) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    Customer& eater = level.customer(BigEater, 710, 510);
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    // The release frame of the build press already ran a tower step.
    EXPECT_EQ(eater.fed, 6);
    EXPECT_EQ(eater.hitActive[Fries], 1);
    EXPECT_FLOAT_EQ(eater.targetDistance, 2202.907f);

    // Nobody hungry in range: the tower keeps looking once an interval.
    eater.fed = eater.appetite;
    level.runUntil([&] { return fries->firing == 0; }, 2);
    level.frames(40);
    const float looked = fries->lastFireTime;
    EXPECT_GT(looked, 0);
    EXPECT_LT(game.clock.now - looked, 0.5f + 0.02f);
    eater.fed = 0;
    EXPECT_TRUE(level.runUntil([&] { return eater.fed > 0; }, 0.55));
}

TEST(TowersAttacks, LevelThreeFriesFeedsTwoOfTwoHungryCustomers) {
    Level level;
    game.progress.upgradeUnlocked[Fries][2] = game.progress.upgradeUnlocked[Fries][3] = 1;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    level.upgrade(*fries);
    level.upgrade(*fries);
    ASSERT_EQ(fries->level, 2);
    level.runUntil([&] { return fries->firing == 0; }, 2);

    Customer& full = level.customer(Family, 690, 490);
    full.fed = full.appetite;
    Customer& a = level.customer(BigEater, 720, 520);
    Customer& b = level.customer(BigEater, 680, 510);
    b.fed = b.appetite - 3; // nearly full: the portion fills it to its appetite, no further
    ASSERT_TRUE(level.runUntil([&] { return a.fed > 0; }, 2));
    EXPECT_EQ(a.fed, 10);
    EXPECT_EQ(b.fed, b.appetite);
    EXPECT_EQ(full.fed, full.appetite);
    EXPECT_EQ(full.hitActive[Fries], 0);
}

TEST(TowersAttacks, TurningFriesLooksTowardsItsTarget) {
    Level level;
    TowerSlot& slot = level.pedestal(4, 700, 500);
    Customer& eater = level.customer(BigEater, 650, 450); // up and left
    Tower* fries = level.build(slot, Fries);
    ASSERT_NE(fries, nullptr);
    EXPECT_EQ(fries->frameRect.top, 3 * 244);
    EXPECT_GT(eater.fed, 0);
}

TEST(TowersAttacks, SodaSplashAtColumnSixSoundAtColumnFour) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 500);
    level.customer(BigEater, 720, 520);
    Tower* soda = level.build(slot, Soda);
    ASSERT_NE(soda, nullptr);
    ASSERT_EQ(soda->firing, 1);
    int splashColumn = -1, soundColumn = -1;
    Projectile splash;
    const double end = level.driver.clockSeconds + 3;
    while (soda->firing && level.driver.clockSeconds < end) {
        stopSound(SoundSodaShot);
        const std::size_t splashes = game.defence.projectiles.size();
        level.frame();
        if (game.defence.projectiles.size() > splashes && splashColumn < 0) {
            splashColumn = soda->animFrame;
            splash = game.defence.projectiles.front();
        }
        if (!soundStopped(SoundSodaShot) && soundColumn < 0)
            soundColumn = soda->animFrame;
    }
    EXPECT_EQ(splashColumn, 6);
    if (soundColumn >= 0) { // only where an audio device plays
        EXPECT_EQ(soundColumn, 4);
    }
    EXPECT_EQ(splash.kind, Soda);
    EXPECT_EQ(splash.frameRect.top, 445) << "row 1 of the tower's own sheet";
    EXPECT_EQ(splash.sprite.getOrigin(), sf::Vector2f(176, 354));
}

TEST(TowersAttacks, SplashFeedsOnceAndTwoSplashesSlowToWalkSpeedOverTwoAndAHalf) {
    Level level;
    TowerSlot& left = level.pedestal(0, 650, 500);
    TowerSlot& right = level.pedestal(0, 750, 500);
    Tower* one = level.build(left, Soda);
    Tower* two = level.build(right, Soda);
    ASSERT_TRUE(one && two);
    Customer& both = level.customer(Bachelor, 700, 520);
    Customer& single = level.customer(BigEater, 500, 500);
    ASSERT_TRUE(level.runUntil([&] { return game.defence.projectiles.size() == 2; }, 3));
    level.frame();
    EXPECT_FLOAT_EQ(both.slowedSpeed, 125 / 2.5f);
    EXPECT_EQ(both.hitActive[Soda], 1);
    EXPECT_EQ(both.fed, 4) << "each splash feeds once";
    EXPECT_FLOAT_EQ(single.slowedSpeed, 150 / 1.5f);
    // The customer update walks them at that speed while the soda effect lasts.
    EXPECT_EQ(both.speed, 50);
    EXPECT_EQ(single.speed, 100);
    level.frames(3);
    EXPECT_EQ(both.fed, 4);
}

TEST(TowersAttacks, BurgerFliesOnAfterItsTargetTurnsAndFeedsWhoeverIsOnItsLine) {
    Level level;
    TowerSlot& slot = level.pedestal(0, 700, 400);
    Customer& target = level.customer(BigEater, 850, 440);
    Tower* burger = level.build(slot, Burger);
    ASSERT_NE(burger, nullptr);
    ASSERT_EQ(game.defence.projectiles.size(), 1u);
    const Projectile shot = game.defence.projectiles.front();
    EXPECT_EQ(shot.kind, Burger);
    // Thrown from the hand of a row-0 level-1 tower: it flies on the line from there.
    const float fromHandX = shot.x - (700 - 96 + 127), fromHandY = shot.y - (400 - 147 + 133);
    EXPECT_NEAR(fromHandX * std::sin(shot.angle) - fromHandY * std::cos(shot.angle), 0, 0.01);
    EXPECT_GT(fromHandX, 0);
    // The target turns away; someone else stands farther on the same line, 60 px aside.
    level.pinned[0].second = sf::Vector2f(850, 200);
    const float far = 600;
    const float lineX = shot.x + std::cos(shot.angle) * far;
    const float lineY = shot.y + std::sin(shot.angle) * far;
    Customer& other = level.customer(Bachelor, lineX - std::sin(shot.angle) * 60,
                                     lineY + std::cos(shot.angle) * 60);
    ASSERT_TRUE(level.runUntil([&] { return other.fed > 0; }, 1.5));
    EXPECT_EQ(other.fed, 25);
    EXPECT_EQ(other.hitActive[Burger], 1);
    EXPECT_EQ(target.fed, 0);
    EXPECT_TRUE(std::none_of(game.defence.projectiles.begin(), game.defence.projectiles.end(),
                             [](const Projectile& p) { return p.kind == Burger; }))
        << "the burger ends in the one it fed";
}

TEST(TowersAttacks, MissedBurgerIsGoneOnceItLeavesTheWindow) {
    Level level;
    TowerSlot& slot = level.pedestal(4, 1700, 300);
    Customer& target = level.customer(BigEater, 1850, 320);
    Tower* burger = level.build(slot, Burger);
    ASSERT_NE(burger, nullptr);
    ASSERT_EQ(game.defence.projectiles.size(), 1u);
    EXPECT_EQ(game.defence.projectiles.front().facing, 4)
        << "the world pass reads the thrower's facing";
    level.pinned[0].second = sf::Vector2f(1700, 900); // steps out of the way
    target.fed = target.appetite;                     // and no new throw
    level.frames(3);
    EXPECT_EQ(game.defence.projectiles.size(), 1u) << "still in the window";
    level.frames(30);
    EXPECT_TRUE(game.defence.projectiles.empty());
}
