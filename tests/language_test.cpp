// The game in English: its catalogue read whatever its bytes, the options' language buttons,
// and every English text inside the box it shows in.
#include "assets/assets.h"
#include "frame/frame.h"
#include "frame/window.h"
#include "ground/game.h"
#include "ground/records.h"
#include "lang/lang.h"
#include "level/records.h"
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

// The pixels of the atlas a trimmed sheet of the television's frames (139 x 169) is drawn from.
std::vector<sf::Uint8> atlasOf(const sf::Texture* sheet) {
    sf::Sprite first(*sheet, sf::IntRect(0, 0, 139, 169));
    std::vector<sf::Sprite> pieces;
    trimmedFrame(first, pieces);
    const sf::Image atlas = pieces.empty() ? sf::Image() : pieces[0].getTexture()->copyToImage();
    return {atlas.getPixelsPtr(), atlas.getPixelsPtr() + 4 * atlas.getSize().x * atlas.getSize().y};
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

TEST(Language, AFirstStartSpeaksTheDesktopsLanguageAsGettextReadsIt) {
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG, and the language the game speaks at its first start.
    const std::pair<LocaleVariables, const char*> desktops[] = {
        {{"", "", "", "fr_FR.UTF-8"}, "fr"},
        {{"", "", "", "en_GB.UTF-8"}, "en"},
        {{"", "", "", "de_DE.UTF-8"}, "en"},
        {{"", "", "", "es_MX.UTF-8@x"}, "es"},
        {{"", "", "", "C"}, "fr"},
        {{"", "", "", "POSIX"}, "fr"},
        {{"", "", "", "C.UTF-8"}, "fr"},
        {{"", "", "", ""}, "fr"},
        {{"", "en_US", "es_ES", "fr_FR"}, "en"},
        {{"", "", "es_ES", "en_GB"}, "es"},
        {{"de:es", "", "", "de_DE"}, "es"},
        {{"de:it", "", "", "de_DE"}, "en"},
        {{"de:es", "", "", "C"}, "fr"}, // gettext reads no LANGUAGE under C
    };
    for (const auto& [locale, spoken] : desktops)
        EXPECT_EQ(desktopLanguage(locale, {"fr", "en", "es"}), spoken)
            << locale.language << " " << locale.lcAll << " " << locale.lcMessages << " "
            << locale.lang;
    EXPECT_EQ(desktopLanguage({"", "", "", "pt_BR.UTF-8"}, {"fr", "pt", "pt_BR"}), "pt_BR");
    // The player's choice wins over the desktop; the catalogues found make the game's list.
    EXPECT_EQ(startLanguage("fr", {"", "", "", "en_GB.UTF-8"}), "fr");
    EXPECT_EQ(startLanguage("", {"", "", "", "es_ES.UTF-8"}), "es");
    EXPECT_EQ(startLanguage("", localeVariables()), "fr") << "the tests' desktop";
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
    EXPECT_EQ(readSettings(readFile("../resources/save/settings.txt")).language, "en")
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
    driver.click(1091, 235);
    EXPECT_EQ(shown(game.menus.levelLabel), "Level 1") << "the label under the cards";
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
    // The dining room's television too, a sheet kept trimmed: it shows what the language's file,
    // trimmed afresh, shows, and French again when spoken again.
    const sf::Texture* television = nullptr;
    for (const Decoration& prop : game.level.decorations)
        if (prop.kind == PropTelevision)
            television = prop.sprite.getTexture();
    const std::vector<sf::Uint8> inFrench = atlasOf(television);
    const auto fresh = [](const std::string& twin) {
        return atlasOf(
            loadTrimmedSheet("../resources/textures/map/" + twin + "tele.png", 139, 169));
    };
    const std::string hud = GOBBLER_SOURCE_DIR "/resources/textures/hud/";
    for (int language : {1, 2, 0}) {
        driver.pressLanguage(language);
        const std::string twin = language ? game.options.languageButtons[language].code + "/" : "";
        EXPECT_TRUE(samePixels(game.hud.hudPanel.getTexture(), hud + twin + "HUD.png"));
        EXPECT_TRUE(
            samePixels(game.gameMenu.gameOptionsSprite.getTexture(), hud + twin + "IGOptions.png"));
        EXPECT_TRUE(atlasOf(television) == (language ? fresh(twin) : inFrench)) << twin;
    }
    EXPECT_FALSE(fresh("en/") == inFrench) << "the programmes differ";
    // A catalogue that cannot be read leaves the game in French.
    EXPECT_FALSE(speakLanguage("xx"));
    EXPECT_EQ(currentLanguage(), "fr");
}

namespace {

// Every language button whole inside the screen it shows on, right of the one before, its
// name inside it.
void expectLanguageButtonsInside(Box box) {
    for (int i = 0; i < game.options.languageCount; ++i) {
        const sf::FloatRect at = game.options.languageButtons[i].box.getGlobalBounds();
        const Box button = {at.left, at.top, at.left + at.width, at.top + at.height};
        EXPECT_TRUE(button.left >= box.left && button.top >= box.top && button.right <= box.right &&
                    button.bottom <= box.bottom &&
                    inside(game.options.languageButtons[i].label, button))
            << game.options.languageButtons[i].code << " at " << at.left << ", " << at.top;
        EXPECT_TRUE(i == 0 ||
                    game.options.languageButtons[i - 1].box.getGlobalBounds().left + at.width <
                        at.left);
    }
}

// Every text in each language stays inside what frames it: its panel, card, bubble
// or screen; on the options screens, each box stands clear of its label.
void expectEveryTextFits(int language) {
    OnOptions driver;
    driver.pressLanguage(language);
    ASSERT_EQ(currentLanguage(), game.options.languageButtons[language].code);
    // The cabinet's screen, where the menus' texts show.
    const Box screen = {1195, 150, 1840, 840};
    for (const sf::Text* label : {&game.options.tutorialLabel, &game.options.deleteLabel,
                                  &game.options.fullscreenLabel, &game.menus.menuHeading})
        EXPECT_TRUE(inside(*label, {1195, 60, 1840, 840}));
    for (const auto& [box, label] :
         {std::pair(&game.options.tutorialBox, &game.options.tutorialLabel),
          std::pair(&game.options.fullscreenBox, &game.options.fullscreenLabel)})
        EXPECT_LE(box->getGlobalBounds().left + 64 + 8, label->getGlobalBounds().left)
            << "each box left of its label, clear of it";
    expectLanguageButtonsInside({1172, 169, 1844, 855});
    driver.click(1091, 235);
    EXPECT_TRUE(inside(game.menus.levelLabel, screen));
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
    // The controls under the help's two categories (hovered, as large as they grow): three
    // columns side by side, clear of the panel's buttons that stand into the screen.
    driver.click(1086, 640);
    ASSERT_EQ(game.help.helpPage, 0);
    driver.moveMouse(1351, 450);
    driver.frame();
    const sf::FloatRect category = game.help.helpCategories[1].getGlobalBounds();
    const Box below = {1220, category.top + category.height, 1835, 840};
    float end = 0;
    for (int column = 0; column < 3; ++column) {
        const sf::Text& text = game.help.controls[column];
        const sf::Text& head = game.help.controlHeads[column > 0 ? column - 1 : 0];
        EXPECT_TRUE(inside(text, below) && inside(head, below));
        EXPECT_GT(text.getGlobalBounds().left, end) << "column " << column;
        end = std::max(text.getGlobalBounds().left + text.getGlobalBounds().width,
                       column > 0 ? head.getGlobalBounds().left + head.getGlobalBounds().width : 0);
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

    // The in-game options: the languages and the fullscreen row inside the panel, above the
    // volumes' heading.
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.frame();
    driver.click(1690, 1025); // the HUD's menu button
    driver.click(600, 575);   // "Options"
    ASSERT_EQ(game.shared.screen, GameOptions);
    const Box panel = {562, 218, 1170, 380};
    EXPECT_TRUE(inside(game.options.fullscreenLabel, panel));
    EXPECT_LE(game.options.fullscreenBox.getGlobalBounds().left + 64 + 8,
              game.options.fullscreenLabel.getGlobalBounds().left);
    expectLanguageButtonsInside(panel);
    game.shared.screen = InGame;

    // Reviews: the live panel's two rows, every text of every type, 12 pixels high in a window
    // of 1194 x 672; and the level end's four. The options' question before deleting the game
    // fits its panel too.
    const sf::FloatRect ask = game.options.askPanel.getGlobalBounds();
    EXPECT_TRUE(
        inside(game.options.askText, {ask.left + 10, ask.top, ask.left + ask.width - 10, 520}));
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
    EXPECT_GE(game.reviews.currentReviewText.getCharacterSize() * 1194.0f / 1920, 12.0f);
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
    EXPECT_TRUE(inside(game.hud.objectiveLabel, {1500, 380, 1700, 430})) << "left of its stars";
}

} // namespace

TEST(Language, EveryTranslatedTextFitsWhereItShows) {
    const int languages = static_cast<int>(languagesFound().size());
    ASSERT_GE(languages, 3);
    for (int language = 0; language < languages; ++language) {
        SCOPED_TRACE(languagesFound()[static_cast<std::size_t>(language)]);
        expectEveryTextFits(language);
    }
}
