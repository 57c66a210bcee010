// What the shell draws: the in-game menu and options, the level's end overlay, the intro.
#include "rating/records.h"
#include "shell/records.h"
#include "shell/shell.h"
#include "ui/records.h"

#include "rating/rating.h"
#include "ui/ui.h"

void drawGameMenu(const GameSight& g, Renderer& r) {
    r.frame.draw(g.gameMenu.gameMenuSprite);
    for (int item = 0; item < g.gameMenu.gameMenuItems; ++item)
        r.frame.draw(g.gameMenu.gameMenuArrows[item]);
}

void drawGameOptions(const GameSight& g, Renderer& r) {
    r.frame.draw(g.gameMenu.gameOptionsSprite);
    r.frame.draw(g.gameMenu.gameEffectsBar);
    r.frame.draw(g.gameMenu.gameMusicBar);
    r.frame.draw(g.gameMenu.gameOptionsBack);
    r.frame.draw(g.gameMenu.gameEffectsKnob);
    r.frame.draw(g.gameMenu.gameMusicKnob);
    drawScreenChoices(g, r);
}

void drawLevelEnd(const GameSight& g, Renderer& r) {
    r.frame.draw(g.rating.levelWon ? g.hud.victoryPicture : g.hud.defeatPicture);
    r.frame.draw(g.hud.ratingStars);
    r.frame.draw(g.hud.objectiveStars);
    r.frame.draw(g.hud.continueButton);
    drawEndReviews(g, r);
}

void drawSplash(const GameSight& g, Renderer& r) {
    r.frame.draw(g.intro.splashBite);
    r.frame.draw(g.intro.splashFlyer);
}

void drawLogoScreen(const GameSight& g, Renderer& r) {
    // The title picture and what lies under it stand still: drawn once, a layer a frame while
    // the logo plays, and copied in under the prompt once the logo has slid away.
    const sf::Sprite* title[] = {&g.intro.introBackground, &g.intro.titleBackground,
                                 &g.intro.titlePicture, &g.credits.titleCredits};
    if (g.intro.introPhase != 2 || !drawComposite(r, r.titleBackdrop, title, 4)) {
        drawBackdrop(r, g.intro.introBackground);
        if (g.intro.introPhase == 2) {
            r.frame.draw(g.intro.titleBackground);
            r.frame.draw(g.intro.titlePicture);
            r.frame.draw(g.credits.titleCredits);
        }
    }
    if (g.intro.introPhase == 2)
        r.frame.draw(g.intro.promptText);
    r.frame.draw(g.menus.logoSprite);
    if (g.intro.introPhase != 2)
        prepareComposite(r, r.titleBackdrop, title, 4, 1);
    else // the menus come at the next press: their backdrop is made meanwhile
        prepareMenuBackdrop(g, r);
}
