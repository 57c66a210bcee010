// The arcade-cabinet menu frame shared by the menu screens, its five panel buttons, and the
// level selection: a carousel of three cards with padlocks and the best rating as stars.
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "persist/persist.h"
#include "rating/rating.h"
#include "tutorial/tutorial.h"

#include <cstdio>

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

void centreOrigin(sf::Sprite& sprite) {
    const sf::FloatRect bounds = sprite.getLocalBounds();
    sprite.setOrigin(bounds.width / 2, bounds.height / 2);
}

constexpr const char* titleHeading = N_("               Menu");

// The cabinet's heading names the screen it shows, however the player came there.
void showHeading() {
    const char* heading = game.screen == TitleMenu ? titleHeading : nullptr;
    for (const PanelButton& button : panel)
        if (button.screen == game.screen && button.heading)
            heading = button.heading;
    if (heading && game.menuHeading.getString() != utf8(tr(heading)))
        game.menuHeading.setString(utf8(tr(heading)));
}

void initLevelSelection() {
    for (int level = 1; level <= 3; ++level) {
        const LevelCard& card = cards[level - 1];
        game.levelCards[level] = makeSprite(loadTexture(menuFolder + card.picture), card.x, 270);
        game.levelCards[level].setTextureRect(sf::IntRect(0, 0, 490, 280));
        game.levelTitles[level] = makeText("", 40, sf::Color::Black, card.x + 40, 200);
        game.levelDescriptions[level] = makeText("", 30, sf::Color::Black, card.x + 40, 580);
        game.bestRatingStars[level] = makeSprite(loadTexture(menuFolder + "Stars.png"), 1584, 550);
        game.bestRatingStars[level].setScale(0.5f, 0.5f);
        game.bestRatingStars[level].setTextureRect(sheetFrame(ratingStarsSheet, 0));
    }
    for (int level = 2; level <= 3; ++level) {
        sf::Sprite& padlock = game.levelPadlocks[level];
        padlock = makeSprite(loadTexture(menuFolder + "Cadenas Sheets.png"));
        padlock.setTextureRect(sf::IntRect(0, 0, 110, 135));
        padlock.setOrigin(55, 67.5f);
        padlock.setPosition(cards[level - 1].x + 244.5f, 410);
        game.levelCards[level].setTextureRect(sf::IntRect(490, 0, 490, 280));
    }
    const sf::Texture* arrow = loadTexture(menuFolder + "Fleches.png");
    game.previousArrow = makeSprite(arrow, 1211, 400);
    centreOrigin(game.previousArrow);
    game.nextArrow = makeSprite(arrow, 1781, 400);
    centreOrigin(game.nextArrow);
    game.nextArrow.setScale(-1, 1);
    game.levelLabel = makeText(tr("Niveau 1"), 40, sf::Color::Black, 1391, 770);
    labelLevelCards();
    game.carouselMoving = 0;
    for (int level = 0; level < 4; ++level) {
        game.padlockAnimating[level] = 0;
        game.padlockFrame[level] = 0;
        game.padlockStepTime[level] = 0;
    }
}

// Moves the eleven carousel items sideways.
void slideCarousel(float dx) {
    for (int level = 1; level <= 3; ++level) {
        game.levelCards[level].move(dx, 0);
        game.levelTitles[level].move(dx, 0);
        game.levelDescriptions[level].move(dx, 0);
    }
    game.levelPadlocks[2].move(dx, 0);
    game.levelPadlocks[3].move(dx, 0);
    game.carouselMoving = 1;
}

void stepCarousel() {
    const float firstX = game.levelCards[1].getPosition().x;
    switch (game.currentLevel) {
    case 1:
        if (firstX < 1251) {
            slideCarousel(carouselStep);
        } else {
            game.carouselMoving = 0;
            game.levelLabel.setString(utf8(tr("Niveau 1")));
        }
        break;
    case 2:
        if (firstX > 651) {
            slideCarousel(-carouselStep);
        } else {
            game.carouselMoving = 0;
            game.levelLabel.setString(utf8(tr("Niveau 2")));
        }
        if (game.levelCards[1].getPosition().x < 651)
            slideCarousel(carouselStep);
        break;
    case 3:
        if (firstX > 51) {
            slideCarousel(-carouselStep);
        } else {
            game.carouselMoving = 0;
            game.levelLabel.setString(utf8(tr("Niveau 3")));
        }
        break;
    default:
        break;
    }
}

void animatePadlocks() {
    for (int level = 2; level <= 3; ++level) {
        if (!game.padlockAnimating[level] || !(game.now - game.padlockStepTime[level] > 0.1f))
            continue;
        if (game.padlockFrame[level] >= 6) {
            game.levelCards[level].setTextureRect(sf::IntRect(0, 0, 490, 280));
            game.padlockAnimating[level] = 0;
            game.lockOpened[level] = 1;
            writeSave();
        } else {
            game.padlockFrame[level] += 1;
        }
        game.levelPadlocks[level].setTextureRect(
            sf::IntRect(110 * game.padlockFrame[level], 0, 110, 135));
        game.padlockStepTime[level] = game.now;
    }
}

void updateLevelSelection() {
    animatePadlocks();
    const int x = game.input.mouseX, y = game.input.mouseY;
    for (int level = 2; level <= 3; ++level) {
        const bool hovered =
            hitCentred(game.levelPadlocks[level], x, y) && game.levelCleared[level - 1] != 0;
        game.levelPadlocks[level].setScale(hovered ? 1.2f : 1.0f, hovered ? 1.2f : 1.0f);
    }
    const bool previousHovered =
        hitCentred(game.previousArrow, x, y) && (game.currentLevel == 2 || game.currentLevel == 3);
    game.previousArrow.setScale(previousHovered ? 1.1f : 1.0f, previousHovered ? 1.1f : 1.0f);
    const bool nextHovered = hitCentred(game.nextArrow, x, y) && game.currentLevel != 3;
    game.nextArrow.setScale(nextHovered ? -1.1f : -1.0f, nextHovered ? 1.1f : 1.0f);
    stepCarousel();
}

// The selected level's best rating in half stars (a rating outside 0..10 keeps the last frame).
void showBestRating() {
    const int level = game.currentLevel <= 1 ? 1 : game.currentLevel;
    const int band = ratingBand(game.bestRating[level]);
    if (band >= 0)
        game.bestRatingStars[level].setTextureRect(sheetFrame(ratingStarsSheet, band));
}

void updateStarBalance() {
    char text[5];
    std::snprintf(text, sizeof text, "%d", game.stars);
    game.starBalanceText.setString(text);
    if (game.stars < 10) {
        game.starBalanceText.setCharacterSize(50);
        game.starBalanceText.setPosition(1086, 85);
    } else {
        game.starBalanceText.setCharacterSize(35);
        game.starBalanceText.setPosition(1081, 98);
    }
}

} // namespace

void labelLevelCards() {
    for (int level = 1; level <= 3; ++level) {
        game.levelTitles[level].setString(utf8(tr(cards[level - 1].title)));
        game.levelDescriptions[level].setString(utf8(tr(cards[level - 1].description)));
    }
}

void initMenus() {
    game.menuContentBackground = makeSprite(loadTexture(menuFolder + "Fond.png"), 1145, 165);
    game.menuCabinet = makeSprite(loadTexture(menuFolder + "Borne v2.png"), 941, 0);
    game.menuOuterFrame = makeSprite(loadTexture(menuFolder + "FondMenu.png"), 0, 0);
    for (int i = 0; i < 5; ++i) {
        game.panelButtons[i] =
            makeSprite(loadTexture(menuFolder + panel[i].picture), panel[i].x, panel[i].y);
        centreOrigin(game.panelButtons[i]);
    }
    game.menuHeading = makeText(titleHeading, 50, sf::Color::Black, 1221, 80);
    game.starBalanceText = makeText("0", 50, sf::Color::Black, 1086, 85);
    initLevelSelection();
    initOptions();
    initHelp();
    initCredits();
    game.shopBackground = makeSprite(loadTexture(menuFolder + "Fond Shop.png"), 1188, 190);
    game.screen = Splash;
    game.clickLatch = 0;
    game.currentLevel = 0;
    for (int level = 1; level <= 3; ++level)
        game.levelCleared[level] = 0;
    game.lockOpened[2] = game.lockOpened[3] = 0;
}

void updateMenuFrame() {
    showHeading();
    updateStarBalance();
    for (int i = 0; i < 5; ++i) {
        if (hitCentred(game.panelButtons[i], game.input.mouseX, game.input.mouseY))
            game.panelButtons[i].setScale(1.2f, 1.2f);
        else if (panel[i].screen != game.screen)
            game.panelButtons[i].setScale(1.0f, 1.0f);
    }
    if (game.screen == LevelSelect)
        updateLevelSelection();
    else if (game.screen == Options)
        updateOptions();
    else if (game.screen == Help)
        updateHelp();
    dragCreditsPage();
    if (game.screen == Help)
        updateHelpTexts();
    stepCreditsSign();
    if (game.screen == LevelSelect && game.carouselMoving == 0)
        showBestRating();
}

void handleMenuPanel() {
    if (game.supplierTutorialPending) {
        supplierTutorialClick();
        return;
    }
    for (const PanelButton& button : panel) {
        const sf::Sprite& sprite = game.panelButtons[&button - panel];
        if (game.clickLatch != 0 || !hitCentred(sprite, game.input.mouseX, game.input.mouseY))
            continue;
        game.screen = button.screen;
        if (button.screen == Options)
            placeVolumeKnobs();
        else if (button.screen == Help)
            game.helpPage = 0;
        game.clickLatch = 1;
    }
    handleCreditsPress();
}

void handleLevelSelect() {
    const bool idle = game.clickLatch == 0 && game.carouselMoving == 0;
    const int x = game.input.mouseX, y = game.input.mouseY;
    if ((idle && hitTopLeft(game.levelCards[1], x, y) && game.currentLevel <= 1) ||
        (idle && hitTopLeft(game.levelCards[2], x, y) && game.currentLevel == 2 &&
         game.lockOpened[2] != 0) ||
        (idle && hitTopLeft(game.levelCards[3], x, y) && game.currentLevel == 3 &&
         game.lockOpened[3] != 0)) {
        startLevel();
        return;
    }
    if (game.clickLatch == 0 && hitCentred(game.previousArrow, x, y) && game.currentLevel != 1) {
        if (game.currentLevel >= 2)
            game.currentLevel -= 1;
        game.clickLatch = 1;
    }
    if (game.clickLatch == 0 && hitCentred(game.nextArrow, x, y) && game.currentLevel != 3) {
        game.currentLevel = game.currentLevel == 2 ? 3 : 2;
        game.clickLatch = 1;
    }
}

void handlePadlockPress() {
    if (hitCentred(game.levelPadlocks[2], game.input.mouseX, game.input.mouseY) &&
        game.levelCleared[1] != 0)
        game.padlockAnimating[2] = 1;
    else if (hitCentred(game.levelPadlocks[3], game.input.mouseX, game.input.mouseY) &&
             game.levelCleared[2] != 0)
        game.padlockAnimating[3] = 1;
}

void updateLevelCards() {
    for (int level = 2; level <= 3; ++level)
        game.levelCards[level].setTextureRect(
            sf::IntRect(game.lockOpened[level] != 0 ? 0 : 490, 0, 490, 280));
}

void startLevel() {
    game.screen = InGame;
    setupCurrentLevel();
    // The HUD's stars, as the end panel of an earlier level may have left them.
    game.ratingStars.setPosition(1575, 145);
    game.ratingStars.setScale(1, 1);
    game.objectiveStars.setPosition(1700, 385);
    game.objectiveStars.setScale(0.35f, 0.35f);
    game.clickLatch = 1;
    game.endReviewsChosen = 0;
    stopMusic(MusicMenu);
}

void labelMenus() {
    labelLevelCards();
    labelOptions();
    labelShop();
    labelHud();
    labelScreenChoices();
}
