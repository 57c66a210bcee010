// The game in English: its catalogue read whatever its bytes, the options' language buttons,
// and every English text inside the box it shows in.
#include "assets/assets.h"
#include "frame/frame.h"
#include "frame/window.h"
#include "ground/game.h"
#include "ground/records.h"
#include "lang/lang.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "render/render.h"
#include "shell/records.h"
#include "support/catalogues.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "ui/records.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string shown(const sf::Text& text) {
    const auto bytes = text.getString().toUtf8();
    return std::string(bytes.begin(), bytes.end());
}

bool samePicture(const sf::Image& a, const sf::Image& b) {
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + 4 * a.getSize().x * a.getSize().y,
                      b.getPixelsPtr());
}

bool samePixels(const sf::Texture* texture, const std::string& file) {
    sf::Image expected;
    if (!texture || !expected.loadFromFile(file))
        return false;
    const sf::Image got = texture->copyToImage();
    const std::size_t bytes = std::size_t(got.getSize().x) * got.getSize().y * 4;
    return got.getSize() == expected.getSize() &&
           std::equal(got.getPixelsPtr(), got.getPixelsPtr() + bytes, expected.getPixelsPtr());
}

struct Box {
    float left, top, right, bottom;
};

::testing::AssertionResult inside(const sf::Text& text, Box box) {
    const sf::FloatRect at = text.getGlobalBounds();
    if (text.getString().isEmpty() || shown(text) == " ")
        return ::testing::AssertionSuccess();
    if (at.left >= box.left && at.top >= box.top && at.left + at.width <= box.right &&
        at.top + at.height <= box.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << shown(text) << "\" spans " << at.left << ".." << at.left + at.width << " x "
           << at.top << ".." << at.top + at.height;
}

// The options of the title menu, speaking French.
struct OnOptions : FrameDriver {
    OnOptions() : FrameDriver(1.0 / 60) {
        speakLanguage("fr");
        // The logo's end played: its last frame, ribbon and words, stays over the menus.
        game.shared.screen = Logo;
        game.intro.logoFrame = 93;
        runUntil([] { return game.intro.introPhase == 2; }, 60);
        game.shared.screen = TitleMenu;
        frame();
        click(1091, 510);
    }
    ~OnOptions() { speakLanguage("fr"); }
    void pressLanguage(int index) {
        const sf::FloatRect box = game.options.languageButtons[index].box.getGlobalBounds();
        click(static_cast<int>(box.left + box.width / 2),
              static_cast<int>(box.top + box.height / 2));
        frame();
    }
};

} // namespace

TEST(Language, CataloguesAreReadSafelyWhateverTheirBytesAndWhateverLiesInTheirPlace) {
    // Both byte orders; a translation whose conversions differ from its French text's is left
    // out, so a format can never be filled with what it does not expect.
    const Texts texts = {{"", "Content-Type: text/plain; charset=UTF-8\n"},
                         {"Vague : %d", "Wave: %d"},
                         {"Niv.%d", "Lv.%s"},
                         {"100 %%", "100%%"},
                         {"Frites", "Fries"}};
    for (bool bigEndian : {false, true}) {
        Catalogue catalogue;
        ASSERT_TRUE(readCatalogue(catalogueOf(texts, bigEndian), catalogue));
        EXPECT_EQ(catalogue.texts.size(), 3u);
        EXPECT_EQ(catalogue.texts["Vague : %d"], "Wave: %d");
        EXPECT_EQ(catalogue.texts["100 %%"], "100%%");
        EXPECT_EQ(catalogue.texts.count("Niv.%d"), 0u);
    }

    // The game's own, then every shortening of it and random damage to its tables: read or
    // refused, never read outside itself (the sanitizers watch).
    const std::string real = readFile("locale/en/LC_MESSAGES/gobbler.mo");
    Catalogue english;
    ASSERT_TRUE(readCatalogue(real, english));
    EXPECT_EQ(english.texts["Tutoriel"], "Tutorial");
    for (std::size_t size = 0; size < real.size(); size += 7) {
        Catalogue cut;
        EXPECT_FALSE(readCatalogue(real.substr(0, size), cut)) << size;
    }
    std::srand(7);
    const std::size_t tables = 28 + 16 * english.texts.size();
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = real;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            damaged[std::size_t(std::rand()) % tables] = static_cast<char>(std::rand());
        Catalogue read;
        if (!readCatalogue(damaged, read))
            continue;
        for (const auto& text : read.texts)
            EXPECT_TRUE(sameConversions(text.first.c_str(), text.second.c_str()));
    }

    // Crafted up to the largest size taken: entries all pointing at one long string, or each a
    // byte further into it, are refused at once (hours at 4 MB before); a real catalogue of that
    // size is read whole.
    for (const std::size_t size : {std::size_t(64) << 10, std::size_t(4) << 20}) {
        ASSERT_FALSE(readCatalogue(shapedCatalogue(CatalogueShape::OneString, size), english));
        ASSERT_FALSE(readCatalogue(shapedCatalogue(CatalogueShape::Suffixes, size), english));
        ASSERT_TRUE(readCatalogue(shapedCatalogue(CatalogueShape::ManyTexts, size), english));
        EXPECT_EQ(english.texts.size(), (size - 28) / 144);
    }
    // In a language's place, what a broken copy may leave there is passed over at once (nothing
    // that could block or feed the game without end is opened), French is spoken, and the file
    // is named once on the console.
    const std::pair<std::string, std::function<void(const std::string&)>> kinds[] = {
        {"za", [](const std::string& file) { fs::create_directory(file); }},
        {"zb", [](const std::string& file) { fs::create_symlink("/dev/zero", file); }},
        {"zc", [](const std::string& file) { writeFile(file, std::string(4 << 20 | 1, 0)); }},
        {"zd", [](const std::string& file) { fs::create_symlink("/proc/self/mem", file); }},
        {"ze", [](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0644), 0); }}};
    for (const auto& [code, make] : kinds) {
        const std::string file = "locale/" + code + "/LC_MESSAGES/gobbler.mo";
        fs::create_directories("locale/" + code + "/LC_MESSAGES");
        make(file);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(chooseLanguage(code) || chooseLanguage(code) || currentLanguage() != "fr");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "gobbler: cannot read " + file + "\n");
        fs::remove_all("locale/" + code);
    }
}

TEST(Language, TheOptionsSpeakEachLanguageAtOnceWordsAndPictures) {
    // The window's settings outlive a test, its file does not: French is remembered first.
    rememberLanguage("fr");
    OnOptions driver;
    ASSERT_EQ(game.shared.screen, Options);
    ASSERT_EQ(game.options.languageCount, 3);
    EXPECT_EQ(game.options.languageButtons[0].code, "fr");
    EXPECT_EQ(game.options.languageButtons[1].code, "en");
    EXPECT_EQ(game.options.languageButtons[2].code, "es");
    const std::string playButton = "../resources/textures/Menu/B Jouer.png";
    const std::string french = GOBBLER_SOURCE_DIR "/resources/textures/Menu/B Jouer.png";
    const std::string english = GOBBLER_SOURCE_DIR "/resources/textures/Menu/en/B Jouer.png";
    EXPECT_TRUE(samePixels(loadTexture(playButton), french));
    EXPECT_EQ(shown(game.options.tutorialLabel), "Tutoriel");
    EXPECT_EQ(game.options.languageButtons[0].box.getFillColor(), sf::Color(255, 200, 60));
    driver.frameImage(); // shown in French: the menus' still layers are drawn once

    driver.pressLanguage(1);
    EXPECT_EQ(currentLanguage(), "en");
    EXPECT_EQ(readWindowSettings(readFile("../resources/save/settings.txt")).language, "en")
        << "remembered for the next start";
    EXPECT_EQ(shown(game.options.tutorialLabel), "Tutorial");
    EXPECT_EQ(shown(game.options.deleteLabel), "Delete save");
    EXPECT_EQ(shown(game.options.fullscreenLabel), "Fullscreen");
    EXPECT_EQ(shown(game.menus.levelTitles[1]).find("Opening day!") != std::string::npos, true);
    EXPECT_TRUE(samePixels(loadTexture(playButton), english));
    EXPECT_EQ(game.options.languageButtons[1].box.getFillColor(), sf::Color(255, 200, 60));
    // The menus' still layers drawn once into a composite (the cabinet, its frames, the logo and
    // its ribbon) were drawn again in English: the frame is what they make drawn afresh.
    const sf::Image switched = driver.frameImage();
    frameRenderer().menuBackdrop = Composite();
    EXPECT_TRUE(samePicture(switched, driver.frameImage()));
    // The panel's other screens speak it too.
    driver.click(1091, 370);
    EXPECT_EQ(shown(game.menus.menuHeading), tr("           Fournisseur"));
    EXPECT_EQ(shown(game.shop.shopResetLabel), "Reset");
    driver.click(1091, 510);

    // And back: the French words and pictures as they were, byte for byte.
    driver.pressLanguage(0);
    EXPECT_EQ(currentLanguage(), "fr");
    EXPECT_EQ(shown(game.options.tutorialLabel), "Tutoriel");
    EXPECT_EQ(shown(game.options.fullscreenLabel), "Plein écran");
    EXPECT_TRUE(samePixels(loadTexture(playButton), french));

    // The fullscreen box makes the switch F11 makes, and shows the window's state.
    const sf::Texture* ticked = loadTexture("../resources/textures/Menu/CaseTuto1.png");
    const sf::Texture* empty = loadTexture("../resources/textures/Menu/CaseTuto2.png");
    for (bool fullscreen : {true, false}) {
        EXPECT_EQ(game.options.fullscreenBox.getTexture(), fullscreen ? empty : ticked);
        const sf::FloatRect box = game.options.fullscreenBox.getGlobalBounds();
        driver.click(static_cast<int>(box.left + 30), static_cast<int>(box.top + 30));
        EXPECT_EQ(windowFullscreen(), fullscreen);
        driver.frame();
        EXPECT_EQ(game.options.fullscreenBox.getTexture(), fullscreen ? ticked : empty);
    }
    // The level's own options speak it too, over the level: its HUD's words change at once.
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.frame();
    driver.click(1690, 1025); // the HUD's menu button
    driver.click(600, 575);   // "Options"
    ASSERT_EQ(game.shared.screen, GameOptions);
    const std::string hud = GOBBLER_SOURCE_DIR "/resources/textures/hud/";
    for (int language : {1, 0}) {
        driver.pressLanguage(language);
        EXPECT_TRUE(samePixels(game.hud.hudPanel.getTexture(),
                               hud + (language == 1 ? "en/HUD.png" : "HUD.png")));
        EXPECT_TRUE(samePixels(game.gameMenu.gameOptionsSprite.getTexture(),
                               hud + (language == 1 ? "en/IGOptions.png" : "IGOptions.png")));
    }
    // A catalogue that cannot be read leaves the game in French.
    EXPECT_FALSE(speakLanguage("xx"));
    EXPECT_EQ(currentLanguage(), "fr");
}

// Every English text stays inside what frames it: its panel, card, bubble or screen.
TEST(Language, EveryEnglishTextFitsWhereItShows) {
    OnOptions driver;
    driver.pressLanguage(1);
    ASSERT_EQ(currentLanguage(), "en");
    // The cabinet's screen, where the menus' texts show.
    const Box screen = {1195, 150, 1840, 840};
    for (const sf::Text* label : {&game.options.tutorialLabel, &game.options.deleteLabel,
                                  &game.options.fullscreenLabel, &game.menus.menuHeading})
        EXPECT_TRUE(inside(*label, {1195, 60, 1840, 840}));
    EXPECT_LE(game.options.fullscreenBox.getGlobalBounds().left + 64,
              game.options.fullscreenLabel.getGlobalBounds().left);
    driver.click(1091, 370);
    EXPECT_TRUE(inside(game.shop.shopResetLabel, screen));
    for (int level = 1; level <= 3; ++level) {
        // Each card's texts as they show once the carousel has brought it to the middle.
        const float shift = 1251 - game.menus.levelCards[level].getPosition().x;
        for (sf::Text text : {game.menus.levelTitles[level], game.menus.levelDescriptions[level]}) {
            text.move(shift, 0);
            EXPECT_TRUE(inside(text, screen));
        }
    }
    // The help pages' titles and texts.
    for (int categoryX : {1631, 1351}) {
        driver.click(1086, 640); // "Aides" again: back to the two categories
        driver.click(categoryX, 450);
        ASSERT_NE(game.help.helpPage, 0);
        for (int y = 180; y < 700; y += 20)
            for (int x = 1200; x < 1800; x += 40) {
                driver.moveMouse(x, y);
                driver.frame();
                EXPECT_TRUE(inside(game.help.helpTitle, screen));
                EXPECT_TRUE(inside(game.help.helpTowerText, screen));
                EXPECT_TRUE(inside(game.help.helpCustomerText, screen));
            }
    }

    // Reviews: the live panel's two rows and the level end's four, every text of every type.
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    std::srand(3);
    for (int type = 0; type < CustomerTypeCount; ++type)
        for (int fed : {0, 50, 100}) {
            Customer customer;
            customer.type = type;
            customer.appetite = 100;
            customer.fed = fed;
            for (int exits = 0; exits < 40; ++exits) {
                writeReview(customer);
                showReviews();
                EXPECT_TRUE(inside(game.reviews.currentReviewText, {1650, 750, 1905, 858}));
                EXPECT_TRUE(inside(game.reviews.previousReviewText, {1650, 880, 1905, 985}));
            }
        }
    const float rows[4][2] = {{148, 372}, {388, 602}, {618, 832}, {848, 1030}};
    for (float score : {0.0f, 3.0f, 5.0f, 9.0f})
        for (int draw = 0; draw < 30; ++draw) {
            game.rating.RatingScore = score;
            game.reviews.endReviewsChosen = 0;
            chooseEndReviews();
            for (int row = 0; row < 4; ++row)
                EXPECT_TRUE(
                    inside(game.reviews.endTexts[row], {664, rows[row][0], 1336, rows[row][1]}));
        }
    EXPECT_TRUE(inside(game.hud.objectiveLabel, {1500, 380, 1650, 430}));
}
