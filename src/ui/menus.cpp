// The arcade-cabinet menu frame shared by the menu screens, its five panel buttons, and the
// level selection: a carousel of three cards with padlocks and the best rating as stars.
#include "ground/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "tutorial/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "persist/persist.h"
#include "platform/platform.h"
#include "rating/rating.h"
#include "tutorial/tutorial.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

const std::string menuFolder = "../resources/textures/Menu/";

// The panel buttons, top to bottom: picture, centre, the screen it opens and its heading.
struct PanelButton {
    const char* picture;
    float x, y;
    int screen;
    const char* heading;
};

constexpr PanelButton panel[] = {
    {"B Jouer.png", 1091, 235, LevelSelect, N_("Sélection de niveaux")},
    {"B Shop.png", 1091, 370, Shop, N_("           Fournisseur")},
    {"B Options.png", 1091, 510, Options, N_("              Options")},
    {"B Aide.png", 1086, 640, Help, N_("               Aides")},
    {"B Quitter.png", 1096, 770, Quit, nullptr},
};
static_assert(sizeof(panel) / sizeof(panel[0]) == 5, "five panel buttons");

// The three level cards of the carousel, at their start positions.
struct LevelCard {
    const char* picture;
    float x;
    const char* title;
    const char* description;
};

constexpr LevelCard cards[] = {
    {"LVL.png", 1251, N_(" C'est l'ouverture !"),
     N_("              Vagues: 5\n\n        Difficulté: Facile")},
    {"LVL2.png", 1851, N_("Les choses se corsent"),
     N_("            Vagues: 7\n\nDifficulté: Intermédiaire")},
    {"LVL3.png", 2451, N_("      C'est le rush !"),
     N_("             Vagues: 7\n\n      Difficulté: Difficile")},
};
static_assert(sizeof(cards) / sizeof(cards[0]) == 3, "three level cards");

constexpr float carouselStep = 8;
// The label under the card at rest.
constexpr const char* levelNames[3] = {N_("Niveau 1"), N_("Niveau 2"), N_("Niveau 3")};

// The notice that the progress cannot be saved: over the floor of the menus' left half, away
// from every button.
const sf::FloatRect saveNoticeArea(30, 940, 880, 110);
constexpr float saveNoticeSeconds = 12;

void centreOrigin(sf::Sprite& sprite) {
    const sf::FloatRect bounds = sprite.getLocalBounds();
    sprite.setOrigin(bounds.width / 2, bounds.height / 2);
}

constexpr const char* titleHeading = N_("               Menu");

// The cabinet's heading names the screen it shows, however the player came there.
void showHeading() {
    const char* heading = game.shared.screen == TitleMenu ? titleHeading : nullptr;
    for (const PanelButton& button : panel)
        if (button.screen == game.shared.screen && button.heading)
            heading = button.heading;
    if (heading && game.menus.menuHeading.getString() != utf8(tr(heading)))
        game.menus.menuHeading.setString(utf8(tr(heading)));
}

void initLevelSelection() {
    for (int level = 1; level <= 3; ++level) {
        const LevelCard& card = cards[level - 1];
        game.menus.levelCards[level] =
            makeSprite(loadTexture(menuFolder + card.picture), card.x, 270);
        game.menus.levelCards[level].setTextureRect(sf::IntRect(0, 0, 490, 280));
        game.menus.levelTitles[level] = makeText("", 40, sf::Color::Black, card.x + 40, 200);
        game.menus.levelDescriptions[level] = makeText("", 30, sf::Color::Black, card.x + 40, 580);
        game.menus.bestRatingStars[level] =
            makeSprite(loadTexture(menuFolder + "Stars.png"), 1584, 550);
        game.menus.bestRatingStars[level].setScale(0.5f, 0.5f);
        game.menus.bestRatingStars[level].setTextureRect(sheetFrame(ratingStarsSheet, 0));
    }
    for (int level = 2; level <= 3; ++level) {
        sf::Sprite& padlock = game.menus.levelPadlocks[level];
        padlock = makeSprite(loadTexture(menuFolder + "Cadenas Sheets.png"));
        padlock.setTextureRect(sf::IntRect(0, 0, 110, 135));
        padlock.setOrigin(55, 67.5f);
        padlock.setPosition(cards[level - 1].x + 244.5f, 410);
        game.menus.levelCards[level].setTextureRect(sf::IntRect(490, 0, 490, 280));
    }
    const sf::Texture* arrow = loadTexture(menuFolder + "Fleches.png");
    game.menus.previousArrow = makeSprite(arrow, 1211, 400);
    centreOrigin(game.menus.previousArrow);
    game.menus.nextArrow = makeSprite(arrow, 1781, 400);
    centreOrigin(game.menus.nextArrow);
    game.menus.nextArrow.setScale(-1, 1);
    game.menus.levelLabel = makeText("", 40, sf::Color::Black, 1391, 770);
    labelLevelCards();
    game.menus.carouselMoving = 0;
    for (int level = 0; level < 4; ++level) {
        game.menus.padlockAnimating[level] = 0;
        game.menus.padlockFrame[level] = 0;
        game.menus.padlockStepTime[level] = 0;
    }
}

// Names the level chosen (the first while none is) under the cards, in the language spoken.
void labelLevelShown() {
    const int level = std::clamp(game.shared.currentLevel, 1, 3);
    game.menus.levelLabel.setString(utf8(tr(levelNames[level - 1])));
}

// Moves the eleven carousel items sideways.
void slideCarousel(float dx) {
    for (int level = 1; level <= 3; ++level) {
        game.menus.levelCards[level].move(dx, 0);
        game.menus.levelTitles[level].move(dx, 0);
        game.menus.levelDescriptions[level].move(dx, 0);
    }
    game.menus.levelPadlocks[2].move(dx, 0);
    game.menus.levelPadlocks[3].move(dx, 0);
    game.menus.carouselMoving = 1;
}

void stepCarousel() {
    const float firstX = game.menus.levelCards[1].getPosition().x;
    switch (game.shared.currentLevel) {
    case 1:
        if (firstX < 1251) {
            slideCarousel(carouselStep);
        } else {
            game.menus.carouselMoving = 0;
            labelLevelShown();
        }
        break;
    case 2:
        if (firstX > 651) {
            slideCarousel(-carouselStep);
        } else {
            game.menus.carouselMoving = 0;
            labelLevelShown();
        }
        if (game.menus.levelCards[1].getPosition().x < 651)
            slideCarousel(carouselStep);
        break;
    case 3:
        if (firstX > 51) {
            slideCarousel(-carouselStep);
        } else {
            game.menus.carouselMoving = 0;
            labelLevelShown();
        }
        break;
    default:
        break;
    }
}

void animatePadlocks() {
    for (int level = 2; level <= 3; ++level) {
        if (!game.menus.padlockAnimating[level] ||
            !(game.clock.now - game.menus.padlockStepTime[level] > 0.1f))
            continue;
        if (game.menus.padlockFrame[level] >= 6) {
            game.menus.levelCards[level].setTextureRect(sf::IntRect(0, 0, 490, 280));
            game.menus.padlockAnimating[level] = 0;
            game.progress.lockOpened[level] = 1;
            writeSave();
        } else {
            game.menus.padlockFrame[level] += 1;
        }
        game.menus.levelPadlocks[level].setTextureRect(
            sf::IntRect(110 * game.menus.padlockFrame[level], 0, 110, 135));
        game.menus.padlockStepTime[level] = game.clock.now;
    }
}

void updateLevelSelection() {
    animatePadlocks();
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    for (int level = 2; level <= 3; ++level) {
        const bool hovered = hitCentred(game.menus.levelPadlocks[level], x, y) &&
                             game.progress.levelCleared[level - 1] != 0;
        game.menus.levelPadlocks[level].setScale(hovered ? 1.2f : 1.0f, hovered ? 1.2f : 1.0f);
    }
    const bool previousHovered = hitCentred(game.menus.previousArrow, x, y) &&
                                 (game.shared.currentLevel == 2 || game.shared.currentLevel == 3);
    game.menus.previousArrow.setScale(previousHovered ? 1.1f : 1.0f, previousHovered ? 1.1f : 1.0f);
    const bool nextHovered =
        hitCentred(game.menus.nextArrow, x, y) && game.shared.currentLevel != 3;
    game.menus.nextArrow.setScale(nextHovered ? -1.1f : -1.0f, nextHovered ? 1.1f : 1.0f);
    stepCarousel();
}

// The selected level's best rating in half stars (a rating outside 0..10 keeps the last frame).
void showBestRating() {
    const int level = game.shared.currentLevel <= 1 ? 1 : game.shared.currentLevel;
    const int band = ratingBand(game.progress.bestRating[level]);
    if (band >= 0)
        game.menus.bestRatingStars[level].setTextureRect(sheetFrame(ratingStarsSheet, band));
}

// Once in a session, the first time the menus show while the progress cannot be saved (a save
// that could not be read, a folder that cannot be written, a full disk): where it cannot be.
void showSaveNotice() {
    if (game.progress.saveFailing == 0 || game.menus.saveNoticeUntil >= 0)
        return;
    game.menus.saveNoticeUntil = game.clock.now + saveNoticeSeconds;
    game.menus.saveNoticeBox.setPosition(saveNoticeArea.left, saveNoticeArea.top);
    game.menus.saveNoticeBox.setSize(sf::Vector2f(saveNoticeArea.width, saveNoticeArea.height));
    game.menus.saveNoticeBox.setFillColor(sf::Color(255, 248, 225));
    game.menus.saveNoticeBox.setOutlineThickness(4);
    game.menus.saveNoticeBox.setOutlineColor(sf::Color::Black);
    const float left = saveNoticeArea.left + 20, room = saveNoticeArea.width - 40;
    game.menus.saveNoticeTitle = makeText(tr("La progression ne peut pas être enregistrée dans :"),
                                          28, sf::Color::Black, left, saveNoticeArea.top + 14);
    std::error_code ignored;
    const std::string path =
        std::filesystem::absolute(savePath(), ignored).lexically_normal().string();
    game.menus.saveNoticePath = makeText(path, 24, sf::Color::Black, left, saveNoticeArea.top + 60);
    // A long path is made smaller to fit rather than cut.
    for (sf::Text* line : {&game.menus.saveNoticeTitle, &game.menus.saveNoticePath}) {
        const float width = line->getLocalBounds().width;
        if (width > room)
            line->setScale(room / width, room / width);
    }
}

void updateStarBalance() {
    char text[5];
    std::snprintf(text, sizeof text, "%d", game.progress.stars);
    game.menus.starBalanceText.setString(text);
    if (game.progress.stars < 10) {
        game.menus.starBalanceText.setCharacterSize(50);
        game.menus.starBalanceText.setPosition(1086, 85);
    } else {
        game.menus.starBalanceText.setCharacterSize(35);
        game.menus.starBalanceText.setPosition(1081, 98);
    }
}

} // namespace

void labelLevelCards() {
    for (int level = 1; level <= 3; ++level) {
        game.menus.levelTitles[level].setString(utf8(tr(cards[level - 1].title)));
        game.menus.levelDescriptions[level].setString(utf8(tr(cards[level - 1].description)));
    }
    labelLevelShown();
}

void initMenus() {
    game.menus.menuContentBackground = makeSprite(loadTexture(menuFolder + "Fond.png"), 1145, 165);
    game.menus.menuCabinet = makeSprite(loadTexture(menuFolder + "Borne v2.png"), 941, 0);
    game.menus.menuOuterFrame = makeSprite(loadTexture(menuFolder + "FondMenu.png"), 0, 0);
    for (int i = 0; i < 5; ++i) {
        game.menus.panelButtons[i] =
            makeSprite(loadTexture(menuFolder + panel[i].picture), panel[i].x, panel[i].y);
        centreOrigin(game.menus.panelButtons[i]);
    }
    game.menus.menuHeading = makeText(titleHeading, 50, sf::Color::Black, 1221, 80);
    game.menus.starBalanceText = makeText("0", 50, sf::Color::Black, 1086, 85);
    initLevelSelection();
    initOptions();
    initHelp();
    initCredits();
    game.shop.shopBackground = makeSprite(loadTexture(menuFolder + "Fond Shop.png"), 1188, 190);
    game.shared.screen = Splash;
    game.shared.clickLatch = 0;
    game.shared.currentLevel = 0;
    for (int level = 1; level <= 3; ++level)
        game.progress.levelCleared[level] = 0;
    game.progress.lockOpened[2] = game.progress.lockOpened[3] = 0;
    // The lessons light these and wait for presses on them.
    markForLessons(
        LessonMarks{&game.hud.countdownTimers[0],
                    &game.hud.speedButton,
                    &game.hud.pauseButton,
                    &game.menus.panelButtons[1],
                    &game.menus.starBalanceText,
                    {&game.shop.upgradePictures[Fries][2], &game.shop.upgradePictures[Burger][2],
                     &game.shop.upgradePictures[Soda][2]}});
}

void updateMenuFrame() {
    // The delete question belongs to the options: leaving them answers no.
    if (game.shared.screen != Options)
        game.options.deleteAsked = 0;
    showSaveNotice();
    showHeading();
    updateStarBalance();
    for (int i = 0; i < 5; ++i) {
        if (hitCentred(game.menus.panelButtons[i], game.shared.input.mouseX,
                       game.shared.input.mouseY))
            game.menus.panelButtons[i].setScale(1.2f, 1.2f);
        else if (panel[i].screen != game.shared.screen)
            game.menus.panelButtons[i].setScale(1.0f, 1.0f);
    }
    if (game.shared.screen == LevelSelect)
        updateLevelSelection();
    else if (game.shared.screen == Options)
        updateOptions();
    else if (game.shared.screen == Help)
        updateHelp();
    dragCreditsPage();
    if (game.shared.screen == Help)
        updateHelpTexts();
    stepCreditsSign();
    if (game.shared.screen == LevelSelect && game.menus.carouselMoving == 0)
        showBestRating();
}

void handleMenuPanel() {
    if (game.lesson.supplierTutorialPending) {
        supplierTutorialClick();
        return;
    }
    for (const PanelButton& button : panel) {
        const sf::Sprite& sprite = game.menus.panelButtons[&button - panel];
        if (game.shared.clickLatch != 0 ||
            !hitCentred(sprite, game.shared.input.mouseX, game.shared.input.mouseY))
            continue;
        game.shared.screen = button.screen;
        if (button.screen == Options)
            placeVolumeKnobs();
        else if (button.screen == Help)
            game.help.helpPage = 0;
        game.shared.clickLatch = 1;
    }
    handleCreditsPress();
}

void handleLevelSelect() {
    const bool idle = game.shared.clickLatch == 0 && game.menus.carouselMoving == 0;
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    if ((idle && hitTopLeft(game.menus.levelCards[1], x, y) && game.shared.currentLevel <= 1) ||
        (idle && hitTopLeft(game.menus.levelCards[2], x, y) && game.shared.currentLevel == 2 &&
         game.progress.lockOpened[2] != 0) ||
        (idle && hitTopLeft(game.menus.levelCards[3], x, y) && game.shared.currentLevel == 3 &&
         game.progress.lockOpened[3] != 0)) {
        startLevel();
        return;
    }
    if (game.shared.clickLatch == 0 && hitCentred(game.menus.previousArrow, x, y) &&
        game.shared.currentLevel != 1) {
        if (game.shared.currentLevel >= 2)
            game.shared.currentLevel -= 1;
        game.shared.clickLatch = 1;
    }
    if (game.shared.clickLatch == 0 && hitCentred(game.menus.nextArrow, x, y) &&
        game.shared.currentLevel != 3) {
        game.shared.currentLevel = game.shared.currentLevel == 2 ? 3 : 2;
        game.shared.clickLatch = 1;
    }
}

void handlePadlockPress() {
    if (hitCentred(game.menus.levelPadlocks[2], game.shared.input.mouseX,
                   game.shared.input.mouseY) &&
        game.progress.levelCleared[1] != 0)
        game.menus.padlockAnimating[2] = 1;
    else if (hitCentred(game.menus.levelPadlocks[3], game.shared.input.mouseX,
                        game.shared.input.mouseY) &&
             game.progress.levelCleared[2] != 0)
        game.menus.padlockAnimating[3] = 1;
}

void updateLevelCards() {
    for (int level = 2; level <= 3; ++level)
        game.menus.levelCards[level].setTextureRect(
            sf::IntRect(game.progress.lockOpened[level] != 0 ? 0 : 490, 0, 490, 280));
}

void startLevel() {
    game.shared.screen = InGame;
    setupCurrentLevel();
    // The HUD's stars, as the end panel of an earlier level may have left them.
    game.hud.ratingStars.setPosition(1575, 145);
    game.hud.ratingStars.setScale(1, 1);
    game.hud.objectiveStars.setPosition(1700, 385);
    game.hud.objectiveStars.setScale(0.35f, 0.35f);
    game.shared.clickLatch = 1;
    game.reviews.endReviewsChosen = 0;
    stopMusic(MusicMenu);
}

void labelMenus() {
    labelLevelCards();
    labelOptions();
    labelShop();
    labelHud();
    labelHelp();
    labelScreenChoices();
}
