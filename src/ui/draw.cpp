// What the menus and the HUD draw: the cabinet with its sections, the shop, the HUD and the
// wave preview.
#include "ui/ui.h"

#include "towers/towers.h"
#include "tutorial/tutorial.h"

namespace {

void drawLevelSelection(const GameState& g, Renderer& r) {
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.levelCards[level]);
    for (int level = 2; level <= 3; ++level)
        if (g.lockOpened[level] == 0)
            r.frame.draw(g.levelPadlocks[level]);
    r.frame.draw(g.previousArrow);
    r.frame.draw(g.nextArrow);
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.levelDescriptions[level]);
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.levelTitles[level]);
}

void drawOptions(const GameState& g, Renderer& r) {
    r.frame.draw(g.effectsBar);
    r.frame.draw(g.musicBar);
    r.frame.draw(g.volumesLabel);
    r.frame.draw(g.tutorialBox);
    r.frame.draw(g.effectsFill);
    r.frame.draw(g.musicFill);
    r.frame.draw(g.effectsKnob);
    r.frame.draw(g.musicKnob);
    r.frame.draw(g.tutorialLabel);
    drawScreenChoices(g, r);
}

void drawHelp(const GameState& g, Renderer& r) {
    if (g.helpPage == 0) {
        r.frame.draw(g.helpCategories[0]);
        r.frame.draw(g.helpCategories[1]);
    } else if (g.helpPage == 2) {
        for (int i : {2, 3, 0, 1}) // family, big eater, bachelor, business man
            r.frame.draw(g.helpCustomers[i]);
    }
}

bool anyHovered(const int* hovered, int count) {
    for (int i = 0; i < count; ++i)
        if (hovered[i])
            return true;
    return false;
}

void drawHelpTexts(const GameState& g, Renderer& r) {
    if (g.helpPage == 1) {
        // A tower's title comes over its pictures (drawn with the foods).
        r.frame.draw(anyHovered(g.helpFoodHovered, 3) ? g.helpTowerText : g.helpTitle);
    } else if (g.helpPage == 2) {
        if (anyHovered(g.helpCustomerHovered, 4))
            r.frame.draw(g.helpCustomerText);
        r.frame.draw(g.helpTitle);
    }
}

void drawBestRating(const GameState& g, Renderer& r) {
    const int level = g.currentLevel <= 1 ? 1 : g.currentLevel;
    r.frame.draw(g.bestRatingStars[level]);
}

void drawPreviewBox(const GameState& g, Renderer& r, int box) {
    const int timer = g.previewTimerOf[box];
    if (timer < 0)
        return;
    r.frame.draw(g.previewBoxes[box]);
    // The timer over its box: pressing it calls the wave at once.
    r.frame.draw(g.countdownTimers[timer]);
    for (int type = 0; type < CustomerTypeCount; ++type) {
        if (!g.previewFaceShown[box][type])
            continue;
        r.frame.draw(g.previewFaces[box][type]);
        r.frame.draw(g.previewCounts[box][type]);
    }
}

// The cabinet's window, where the screens' content shows through its picture.
const sf::FloatRect cabinetWindow(1172, 169, 672, 686);

// A view that shows the frame's own positions inside `area` only (what falls outside is not
// drawn).
sf::View windowOnto(const sf::FloatRect& area) {
    sf::View view(area);
    view.setViewport(sf::FloatRect(area.left / layoutWidth, area.top / layoutHeight,
                                   area.width / layoutWidth, area.height / layoutHeight));
    return view;
}

} // namespace

void prepareMenuBackdrop(const GameState& g, Renderer& r) {
    const sf::Sprite* still[] = {&g.menuContentBackground, &g.menuCabinet, &g.menuOuterFrame,
                                 &g.logoSprite};
    prepareComposite(r, r.menuBackdrop, still, 4, 1);
}

void drawMenu(const GameState& g, Renderer& r) {
    // The cabinet, its frames and the logo stand still: drawn once into a backdrop and copied
    // in. The screen's own content then goes in the cabinet's window, as the cabinet drawn over
    // it would have left it (a card sliding in hides behind its frame).
    const sf::Sprite* still[] = {&g.menuContentBackground, &g.menuCabinet, &g.menuOuterFrame,
                                 &g.logoSprite};
    const bool composed = drawComposite(r, r.menuBackdrop, still, 4);
    if (!composed)
        r.frame.draw(g.menuContentBackground);
    const sf::View whole = r.frame.getView();
    if (composed)
        r.frame.setView(windowOnto(cabinetWindow));
    if (g.screen == LevelSelect)
        drawLevelSelection(g, r);
    else if (g.screen == Options)
        drawOptions(g, r);
    else if (g.screen == Help)
        drawHelp(g, r);
    r.frame.setView(whole);
    if (!composed)
        r.frame.draw(g.menuCabinet);
    r.frame.draw(g.titleCredits);
    for (int i : {0, 2, 1, 3, 4}) // "Jouer", "Options", shop, "Aide", "Quitter"
        r.frame.draw(g.panelButtons[i]);
    if (!composed) {
        r.frame.draw(g.menuOuterFrame);
        r.frame.draw(g.logoSprite);
    }
    r.frame.draw(g.menuHeading);
    if (g.creditsState == 3)
        r.frame.draw(g.creditsPage);
    r.frame.draw(g.starBalanceText);
    if (g.screen == Help)
        drawHelpTexts(g, r);
    if (g.screen == LevelSelect && g.carouselMoving == 0) {
        r.frame.draw(g.levelLabel);
        drawBestRating(g, r);
    }
    // The shop draws the lesson over its own content.
    if (g.supplierTutorialPending && g.screen != Shop)
        drawTutorialLayer(g, r);
}

void drawDeleteButton(const GameState& g, Renderer& r) {
    r.frame.draw(g.deleteButton);
    r.frame.draw(g.deleteLabel);
}

void drawHelpFoods(const GameState& g, Renderer& r) {
    if (g.helpPage != 1)
        return;
    r.frame.draw(g.helpFoods[1]); // soda
    r.frame.draw(g.helpFoods[0]); // burger
    r.frame.draw(g.helpFoods[2]); // fries
    r.frame.draw(g.helpTitle);
}

void drawShop(const GameState& g, Renderer& r) {
    r.frame.draw(g.shopBackground);
    for (int t : {Fries, Burger, Soda})
        for (int level = 1; level <= 3; ++level)
            r.frame.draw(g.upgradePictures[t][level]);
    for (const sf::Sprite& padlock : g.shopPadlocks)
        r.frame.draw(padlock);
    r.frame.draw(g.shopResetButton);
    r.frame.draw(g.shopResetLabel);
    if (g.supplierTutorialPending)
        drawTutorialLayer(g, r);
}

void drawHud(const GameState& g, Renderer& r) {
    // The tower info panel sits under the rest of the HUD.
    if (g.towerInfoVisible == 1)
        drawTowerInfoPanel(g, r);
    r.frame.draw(g.hudPanel);
    r.frame.draw(g.waveText);
    r.frame.draw(g.objectiveLabel);
    r.frame.draw(g.moneyText);
    r.frame.draw(g.pauseButton);
    r.frame.draw(g.optionsButton);
    r.frame.draw(g.ratingStars);
    r.frame.draw(g.objectiveStars);
    r.frame.draw(g.muteButton);
    r.frame.draw(g.speedButton);
    if (g.gameSpeed == 2) {
        // Lit while the game runs at double speed: the picture once more, added onto itself.
        sf::Sprite lit = g.speedButton;
        lit.setColor(sf::Color(255, 255, 255, 130));
        r.frame.draw(lit, sf::BlendAdd);
    }
}

void drawPauseVeil(const GameState& g, Renderer& r) {
    r.frame.draw(g.pauseVeil);
    r.frame.draw(g.pauseSign);
}

void drawWavePreview(const GameState& g, Renderer& r) {
    drawPreviewBox(g, r, 0);
    drawPreviewBox(g, r, 1);
}

void drawScreenChoices(const GameState& g, Renderer& r) {
    r.frame.draw(g.fullscreenBox);
    r.frame.draw(g.fullscreenLabel);
    for (int i = 0; i < g.languageCount; ++i) {
        r.frame.draw(g.languageButtons[i].box);
        r.frame.draw(g.languageButtons[i].label);
    }
}
