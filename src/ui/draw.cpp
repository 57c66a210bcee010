// What the menus and the HUD draw: the cabinet with its sections, the shop, the HUD and the
// wave preview.
#include "ground/records.h"
#include "persist/records.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "towers/towers.h"
#include "tutorial/tutorial.h"

namespace {

void drawLevelSelection(const GameSight& g, Renderer& r) {
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.menus.levelCards[level]);
    for (int level = 2; level <= 3; ++level)
        if (g.progress.lockOpened[level] == 0)
            r.frame.draw(g.menus.levelPadlocks[level]);
    // Each arrow shows only where it leads somewhere.
    if (g.shared.currentLevel >= 2)
        r.frame.draw(g.menus.previousArrow);
    if (g.shared.currentLevel != 3)
        r.frame.draw(g.menus.nextArrow);
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.menus.levelDescriptions[level]);
    for (int level = 1; level <= 3; ++level)
        r.frame.draw(g.menus.levelTitles[level]);
}

void drawOptions(const GameSight& g, Renderer& r) {
    r.frame.draw(g.options.effectsBar);
    r.frame.draw(g.options.musicBar);
    r.frame.draw(g.options.volumesLabel);
    r.frame.draw(g.options.tutorialBox);
    r.frame.draw(g.options.effectsFill);
    r.frame.draw(g.options.musicFill);
    r.frame.draw(g.options.effectsKnob);
    r.frame.draw(g.options.musicKnob);
    r.frame.draw(g.options.tutorialLabel);
    drawScreenChoices(g, r);
}

void drawHelp(const GameSight& g, Renderer& r) {
    if (g.help.helpPage == 0) {
        r.frame.draw(g.help.helpCategories[0]);
        r.frame.draw(g.help.helpCategories[1]);
        for (const sf::Text& text : g.help.controlHeads)
            r.frame.draw(text);
        for (const sf::Text& text : g.help.controls)
            r.frame.draw(text);
    } else if (g.help.helpPage == 2) {
        for (int i : {2, 3, 0, 1}) // family, big eater, bachelor, business man
            r.frame.draw(g.help.helpCustomers[i]);
    }
}

bool anyHovered(const int* hovered, int count) {
    for (int i = 0; i < count; ++i)
        if (hovered[i])
            return true;
    return false;
}

void drawHelpTexts(const GameSight& g, Renderer& r) {
    if (g.help.helpPage == 1) {
        // A tower's title comes over its pictures (drawn with the foods).
        r.frame.draw(anyHovered(g.help.helpFoodHovered, 3) ? g.help.helpTowerText
                                                           : g.help.helpTitle);
    } else if (g.help.helpPage == 2) {
        if (anyHovered(g.help.helpCustomerHovered, 4))
            r.frame.draw(g.help.helpCustomerText);
        r.frame.draw(g.help.helpTitle);
    }
}

void drawBestRating(const GameSight& g, Renderer& r) {
    const int level = g.shared.currentLevel <= 1 ? 1 : g.shared.currentLevel;
    r.frame.draw(g.menus.bestRatingStars[level]);
}

void drawPreviewBox(const GameSight& g, Renderer& r, int box) {
    const int timer = g.hud.previewTimerOf[box];
    if (timer < 0)
        return;
    r.frame.draw(g.hud.previewBoxes[box]);
    // The timer over its box: pressing it calls the wave at once.
    r.frame.draw(g.hud.countdownTimers[timer]);
    for (int type = 0; type < CustomerTypeCount; ++type) {
        if (!g.hud.previewFaceShown[box][type])
            continue;
        r.frame.draw(g.hud.previewFaces[box][type]);
        r.frame.draw(g.hud.previewCounts[box][type]);
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

void prepareMenuBackdrop(const GameSight& g, Renderer& r) {
    const sf::Sprite* still[] = {&g.menus.menuContentBackground, &g.menus.menuCabinet,
                                 &g.menus.menuOuterFrame, &g.menus.logoSprite};
    prepareComposite(r, r.menuBackdrop, still, 4, 1);
}

void drawMenu(const GameSight& g, Renderer& r) {
    // The cabinet, its frames and the logo stand still: drawn once into a backdrop and copied
    // in.
    const sf::Sprite* still[] = {&g.menus.menuContentBackground, &g.menus.menuCabinet,
                                 &g.menus.menuOuterFrame, &g.menus.logoSprite};
    if (!drawComposite(r, r.menuBackdrop, still, 4))
        for (const sf::Sprite* sprite : still)
            r.frame.draw(*sprite);
    r.frame.draw(g.credits.titleCredits);
    for (int i : {0, 2, 1, 3, 4}) // "Jouer", "Options", shop, "Aide", "Quitter"
        r.frame.draw(g.menus.panelButtons[i]);
    // The screen's own content goes in the cabinet's window, over the tips of the panel's
    // buttons that reach into it (an open section's button is enlarged); a card sliding in
    // hides behind the window's frame.
    const sf::View whole = r.frame.getView();
    r.frame.setView(windowOnto(cabinetWindow));
    if (g.shared.screen == LevelSelect)
        drawLevelSelection(g, r);
    else if (g.shared.screen == Options)
        drawOptions(g, r);
    else if (g.shared.screen == Help)
        drawHelp(g, r);
    r.frame.setView(whole);
    r.frame.draw(g.menus.menuHeading);
    if (g.credits.creditsState == 3)
        r.frame.draw(g.credits.creditsPage);
    r.frame.draw(g.menus.starBalanceText);
    if (g.shared.screen == Help)
        drawHelpTexts(g, r);
    if (g.shared.screen == LevelSelect && g.menus.carouselMoving == 0) {
        r.frame.draw(g.menus.levelLabel);
        drawBestRating(g, r);
    }
    // The shop draws the lesson over its own content.
    if (g.lesson.supplierTutorialPending && g.shared.screen != Shop)
        drawTutorialLayer(g, r);
    if (g.menus.saveNoticeUntil >= 0 && g.clock.now < g.menus.saveNoticeUntil) {
        r.frame.draw(g.menus.saveNoticeBox);
        r.frame.draw(g.menus.saveNoticeTitle);
        r.frame.draw(g.menus.saveNoticePath);
    }
}

void drawDeleteButton(const GameSight& g, Renderer& r) {
    r.frame.draw(g.options.deleteButton);
    r.frame.draw(g.options.deleteLabel);
    if (g.options.deleteAsked == 0)
        return;
    r.frame.draw(g.options.askVeil);
    r.frame.draw(g.options.askPanel);
    r.frame.draw(g.options.askText);
    for (const WordButton* button : {&g.options.askYes, &g.options.askNo}) {
        r.frame.draw(button->box);
        r.frame.draw(button->label);
    }
}

void drawHelpFoods(const GameSight& g, Renderer& r) {
    if (g.help.helpPage != 1)
        return;
    r.frame.draw(g.help.helpFoods[1]); // soda
    r.frame.draw(g.help.helpFoods[0]); // burger
    r.frame.draw(g.help.helpFoods[2]); // fries
    r.frame.draw(g.help.helpTitle);
}

void drawShop(const GameSight& g, Renderer& r) {
    r.frame.draw(g.shop.shopBackground);
    for (int t : {Fries, Burger, Soda})
        for (int level = 1; level <= 3; ++level)
            r.frame.draw(g.shop.upgradePictures[t][level]);
    // A level still to buy shows its price on its picture.
    for (int padlock = 0; padlock < 6; ++padlock)
        if (g.progress.upgradeUnlocked[padlock % 3][2 + padlock / 3] == 0)
            r.frame.draw(g.shop.priceTags[padlock]);
    for (const sf::Sprite& padlock : g.shop.shopPadlocks)
        r.frame.draw(padlock);
    r.frame.draw(g.shop.shopResetButton);
    r.frame.draw(g.shop.shopResetLabel);
    if (g.lesson.supplierTutorialPending)
        drawTutorialLayer(g, r);
}

void drawHud(const GameSight& g, Renderer& r) {
    // The tower info panel sits under the rest of the HUD.
    if (g.defence.towerInfoVisible == 1)
        drawTowerInfoPanel(g, r);
    r.frame.draw(g.hud.hudPanel);
    r.frame.draw(g.hud.waveText);
    r.frame.draw(g.hud.objectiveLabel);
    r.frame.draw(g.hud.moneyText);
    r.frame.draw(g.hud.pauseButton);
    r.frame.draw(g.hud.optionsButton);
    r.frame.draw(g.hud.ratingStars);
    r.frame.draw(g.hud.objectiveStars);
    r.frame.draw(g.hud.muteButton);
    r.frame.draw(g.hud.speedButton);
    if (g.waveClock.gameSpeed == 2) {
        // Lit while the game runs at double speed: the picture once more, added onto itself.
        sf::Sprite lit = g.hud.speedButton;
        lit.setColor(sf::Color(255, 255, 255, 130));
        r.frame.draw(lit, sf::BlendAdd);
    }
}

void drawPauseVeil(const GameSight& g, Renderer& r) {
    r.frame.draw(g.hud.pauseVeil);
    r.frame.draw(g.hud.pauseSign);
}

void drawWavePreview(const GameSight& g, Renderer& r) {
    drawPreviewBox(g, r, 0);
    drawPreviewBox(g, r, 1);
}

void drawScreenChoices(const GameSight& g, Renderer& r) {
    r.frame.draw(g.options.fullscreenBox);
    r.frame.draw(g.options.fullscreenLabel);
    for (int i = 0; i < g.options.languageCount; ++i) {
        r.frame.draw(g.options.languageButtons[i].box);
        r.frame.draw(g.options.languageButtons[i].label);
    }
}
