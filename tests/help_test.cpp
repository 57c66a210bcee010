// The help section: the two categories and the pages that describe towers and customers.
#include "ground/game.h"
#include "ground/records.h"
#include "support/frame_driver.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string utf8Of(const sf::Text& text) {
    const auto bytes = text.getString().toUtf8();
    return std::string(bytes.begin(), bytes.end());
}

struct OnHelp : FrameDriver {
    OnHelp() : FrameDriver(1.0 / 60) {
        game.shared.screen = TitleMenu;
        frame();
        click(1086, 640); // "Aide"
    }
    void openPage(int x, int y) {
        click(x, y);
        moveMouse(10, 10);
        frame();
    }
};

constexpr int towersX = 1631, customersX = 1351, categoryY = 450;

} // namespace

TEST(Help, CategoriesOpenTheirPagesUntilAideIsPressedAgain) {
    OnHelp driver;
    ASSERT_EQ(game.shared.screen, Help);
    EXPECT_EQ(game.help.helpPage, 0);
    driver.moveMouse(towersX, categoryY);
    driver.frame();
    EXPECT_FLOAT_EQ(game.help.helpCategories[0].getScale().x, 1.1f);
    EXPECT_EQ(game.help.helpPage, 0) << "hovering alone opens nothing";
    driver.openPage(towersX, categoryY);
    EXPECT_EQ(game.help.helpPage, 1);
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Selectionnez une tour");
    EXPECT_EQ(game.help.helpTitle.getPosition(), sf::Vector2f(1251, 770));

    // The soda picture is described while the pointer rests on it.
    driver.moveMouse(1731, 440);
    driver.frame();
    EXPECT_FLOAT_EQ(game.help.helpFoods[1].getScale().x, 1.1f);
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Soda");
    EXPECT_EQ(game.help.helpTitle.getPosition(), sf::Vector2f(1431, 770));
    EXPECT_EQ(game.help.helpTowerText.getPosition(), sf::Vector2f(1201, 365));
    EXPECT_EQ(utf8Of(game.help.helpTowerText).rfind("Cette tour sert du soda", 0), 0u);
    driver.moveMouse(10, 10);
    driver.frame();
    EXPECT_FLOAT_EQ(game.help.helpFoods[1].getScale().x, 0.9f);
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Selectionnez une tour");

    // The page stays open across other sections only until "Aide" is pressed again.
    driver.click(1091, 510);
    driver.click(1086, 640);
    EXPECT_EQ(game.help.helpPage, 0);
    EXPECT_EQ(utf8Of(game.help.helpTitle), " ");
    driver.openPage(customersX, categoryY);
    EXPECT_EQ(game.help.helpPage, 2);
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Sélectionnez un client");
}

TEST(Help, TwoCustomerPicturesUnderThePointerShowOnlyTheFirst) {
    OnHelp driver;
    driver.openPage(customersX, categoryY);
    // The bachelor (centre y 255) and the business man (385) overlap around y 320.
    driver.moveMouse(1271, 320);
    driver.frames(2);
    ASSERT_TRUE(game.help.helpCustomerHovered[0] && game.help.helpCustomerHovered[1]);
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Le Célibataire");
    EXPECT_EQ(game.help.helpCustomerText.getPosition(), sf::Vector2f(1351, 190));
    EXPECT_EQ(utf8Of(game.help.helpCustomerText).rfind("Le célibataire est", 0), 0u);
    // On the business man alone.
    driver.moveMouse(1271, 440);
    driver.frame();
    EXPECT_EQ(utf8Of(game.help.helpTitle), "Le Business Man");
    EXPECT_EQ(game.help.helpTitle.getPosition(), sf::Vector2f(1321, 770));
}

TEST(Help, DISABLED_Screenshots) {
    OnHelp driver;
    const std::string out = GOBBLER_SOURCE_DIR "/out/";
    driver.moveMouse(towersX, categoryY);
    driver.frame();
    EXPECT_TRUE(driver.screenshot(out + "menus_help0.png"));
    driver.openPage(towersX, categoryY);
    EXPECT_TRUE(driver.screenshot(out + "menus_help1none.png"));
    // Each picture hovered in turn: its text must stand clear of it and of its neighbours.
    const char* foods[3] = {"burger", "soda", "fries"};
    for (int i = 0; i < 3; ++i) {
        const sf::Vector2f at = game.help.helpFoods[i].getPosition();
        driver.moveMouse(static_cast<int>(at.x), static_cast<int>(at.y));
        driver.frames(2);
        EXPECT_TRUE(driver.screenshot(out + "menus_help1_" + foods[i] + ".png"));
    }
    driver.click(1086, 640);
    driver.openPage(customersX, categoryY);
    EXPECT_TRUE(driver.screenshot(out + "menus_help2none.png"));
    const char* customers[4] = {"bachelor", "businessman", "family", "bigeater"};
    for (int i = 0; i < 4; ++i) {
        const sf::Vector2f at = game.help.helpCustomers[i].getPosition();
        driver.moveMouse(static_cast<int>(at.x), static_cast<int>(at.y));
        driver.frames(2);
        EXPECT_TRUE(driver.screenshot(out + "menus_help2_" + customers[i] + ".png"));
    }
}
