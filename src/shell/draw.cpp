// What the shell draws: the in-game menu and options, the level's end overlay, the intro.
#include "shell/shell.h"

#include "rating/rating.h"
#include "ui/ui.h"

void drawGameMenu(const GameState& g, Renderer& r) {
    r.frame.draw(g.gameMenuSprite);
    for (const sf::Sprite& arrow : g.gameMenuArrows)
        r.frame.draw(arrow);
}

void drawGameOptions(const GameState& g, Renderer& r) {
    r.frame.draw(g.gameOptionsSprite);
    r.frame.draw(g.gameEffectsBar);
    r.frame.draw(g.gameMusicBar);
    r.frame.draw(g.gameOptionsBack);
    r.frame.draw(g.gameEffectsKnob);
    r.frame.draw(g.gameMusicKnob);
    drawScreenChoices(g, r);
}

void drawLevelEnd(const GameState& g, Renderer& r) {
    r.frame.draw(g.levelWon ? g.victoryPicture : g.defeatPicture);
    r.frame.draw(g.ratingStars);
    r.frame.draw(g.objectiveStars);
    r.frame.draw(g.continueButton);
    drawEndReviews(g, r);
}

void drawSplash(const GameState& g, Renderer& r) {
    r.frame.draw(g.splashBite);
    r.frame.draw(g.splashFlyer);
}

void drawLogoScreen(const GameState& g, Renderer& r) {
    // The title picture and what lies under it stand still: drawn once, a layer a frame while
    // the logo plays, and copied in under the prompt once the logo has slid away.
    const sf::Sprite* title[] = {&g.introBackground, &g.titleBackground, &g.titlePicture,
                                 &g.titleCredits};
    if (g.introPhase != 2 || !drawComposite(r, r.titleBackdrop, title, 4)) {
        drawBackdrop(r, g.introBackground);
        if (g.introPhase == 2) {
            r.frame.draw(g.titleBackground);
            r.frame.draw(g.titlePicture);
            r.frame.draw(g.titleCredits);
        }
    }
    if (g.introPhase == 2)
        r.frame.draw(g.promptText);
    r.frame.draw(g.logoSprite);
    if (g.introPhase != 2)
        prepareComposite(r, r.titleBackdrop, title, 4, 1);
    else // the menus come at the next press: their backdrop is made meanwhile
        prepareMenuBackdrop(g, r);
}
