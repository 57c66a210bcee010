// The credits sign on the cabinet and the page scrolled by dragging.
#include "ground/game.h"
#include "ground/records.h"
#include "support/frame_driver.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include <gtest/gtest.h>

namespace {

struct OnTitleMenu : FrameDriver {
    OnTitleMenu() : FrameDriver(1.0 / 60) {
        game.shared.screen = TitleMenu;
        frame();
    }
    void openSign() {
        click(1700, 950); // the coin slot
        runUntil([] { return game.credits.creditsState == 2; }, 2.0);
    }
    void clickSign() { click(1071, 950); } // the sign's left edge counts
};

} // namespace

TEST(Credits, CoinSlotOpensTheSignAndTheSignTogglesThePage) {
    OnTitleMenu driver;
    driver.clickSign();
    EXPECT_EQ(game.credits.creditsState, 0) << "a closed sign does nothing";
    driver.click(1700, 950);
    EXPECT_EQ(game.credits.creditsState, 1);
    driver.runFor(0.5);
    EXPECT_EQ(game.credits.creditsState, 1) << "seven frames of 0.1 s";
    ASSERT_TRUE(driver.runUntil([] { return game.credits.creditsState == 2; }, 1.0));
    EXPECT_EQ(game.credits.creditsFrame, 7);
    EXPECT_EQ(game.credits.titleCredits.getTextureRect(), sf::IntRect(141 * 7, 0, 141, 152));

    driver.clickSign();
    EXPECT_EQ(game.credits.creditsState, 3);
    // The page's picture shows at once, and stays open on the other menu screens.
    sf::Image page;
    ASSERT_TRUE(page.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/Menu/Credits.png"));
    EXPECT_EQ(driver.frameImage().getPixel(200, 700), page.getPixel(100, 687));
    driver.click(1091, 510);
    EXPECT_EQ(game.shared.screen, Options);
    EXPECT_EQ(game.credits.creditsState, 3);
    EXPECT_EQ(driver.frameImage().getPixel(200, 700), page.getPixel(100, 687));
    driver.clickSign();
    EXPECT_EQ(game.credits.creditsState, 1);
    driver.runFor(0.3);
    EXPECT_EQ(game.credits.creditsState, 2);
}

TEST(Credits, NoCreditsWhileTheShopLessonHoldsThePanel) {
    OnTitleMenu driver;
    game.lesson.supplierTutorialPending = 1;
    driver.click(1700, 950);
    EXPECT_EQ(game.credits.creditsState, 0);
}

TEST(Credits, DraggingScrollsThePageWithinItsRows) {
    OnTitleMenu driver;
    driver.openSign();
    driver.clickSign();
    ASSERT_EQ(game.credits.creditsState, 3);
    driver.frame();
    EXPECT_EQ(game.credits.creditsPage.getTextureRect(), sf::IntRect(0, 0, 747, 1046));

    // Upwards by 100 pixels: rows from 100 down.
    driver.press(400, 600);
    driver.frame();
    driver.moveMouse(400, 500);
    driver.frame();
    EXPECT_EQ(game.credits.creditsScroll, 100);
    EXPECT_EQ(game.credits.creditsPage.getTextureRect().top, 100);
    driver.release();
    driver.frame();

    // A new drag starts from where the page is; beyond row 1452 the page freezes.
    driver.press(400, 1000);
    driver.frame();
    for (int y = 1000; y >= -500; y -= 50) {
        driver.moveMouse(400, y);
        driver.frame();
        EXPECT_LE(game.credits.creditsPage.getTextureRect().top, 1452);
    }
    EXPECT_EQ(game.credits.creditsScroll, 1600);
    EXPECT_EQ(game.credits.creditsPage.getTextureRect().top, 1450);
    // Coming back within the rows, it follows again.
    driver.moveMouse(400, 0);
    driver.frame();
    EXPECT_EQ(game.credits.creditsPage.getTextureRect().top, 1100);
    driver.release();
    driver.frame();
    EXPECT_EQ(game.credits.creditsDragging, 0);
}

TEST(Credits, DISABLED_Screenshot) {
    OnTitleMenu driver;
    driver.openSign();
    driver.clickSign();
    driver.frame();
    EXPECT_TRUE(driver.screenshot(GOBBLER_SOURCE_DIR "/out/menus_credits.png"));
}
