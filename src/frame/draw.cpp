// The draw pass: clear, the layers of the current screen, the cursor last. It reads the game as
// const and writes only into the renderer.
#include "frame/frame.h"
#include "frame/records.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "tutorial/records.h"

#include "level/level.h"
#include "rating/rating.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

namespace {

bool tutorialLayerShown(const GameSight& g, LevelView view) {
    if (g.progress.tutorialEnabled == 0 || g.shared.currentLevel > 2)
        return false;
    if (view != LevelView::Running && g.shared.currentLevel == 2)
        return g.lesson.level2TutorialClicks > 0;
    return true;
}

void drawLevelLayers(const GameSight& g, Renderer& r, LevelView view) {
    // The map is opaque: copied, not blended.
    drawBackdrop(r, g.level.mapSprite);
    if (g.shared.currentLevel == 0 || g.shared.currentLevel == 1)
        r.frame.draw(g.waves.doorSprite);
    drawWorld(g, r);
    drawHud(g, r);
    // The wave preview shows while the countdown runs; an open tower menu comes over it.
    if (view != LevelView::Frozen && g.waveClock.countdown > 0)
        drawWavePreview(g, r);
    drawTowerMenu(g, r, lessonBuildsOnCredit(g));
    drawReviewPanel(g, r);
    if (g.shared.currentLevel == 2 || g.shared.currentLevel == 3)
        drawPathAlert(g, r);
    // The pause veils the whole room, its wave preview and an open tower menu too; the HUD
    // beside it stays clear, and the lesson speaks over it.
    if (view == LevelView::Running && g.waveClock.paused && !g.rating.levelWon &&
        !g.rating.levelLost)
        drawPauseVeil(g, r);
    if (tutorialLayerShown(g, view))
        drawTutorialLayer(g, r);
    if (g.rating.levelWon || g.rating.levelLost)
        drawLevelEnd(g, r);
}

void drawScreen(const GameSight& g, Renderer& r) {
    switch (g.shared.screen) {
    case TitleMenu:
    case LevelSelect:
        drawMenu(g, r);
        break;
    case Options:
        drawMenu(g, r);
        drawDeleteButton(g, r);
        break;
    case Shop:
        drawMenu(g, r);
        drawShop(g, r);
        break;
    case Help:
        drawMenu(g, r);
        drawHelpFoods(g, r);
        break;
    case InGame:
        drawLevelLayers(g, r, LevelView::Running);
        break;
    case GameMenu:
        drawLevelLayers(g, r, LevelView::Frozen);
        drawGameMenu(g, r);
        break;
    case Logo:
        drawLogoScreen(g, r);
        break;
    case Splash:
        drawSplash(g, r);
        break;
    case GameOptions:
        drawLevelLayers(g, r, LevelView::Options);
        drawGameOptions(g, r);
        break;
    default: // Quit shows nothing but the cursor
        break;
    }
}

} // namespace

void drawFrame(const GameSight& g, Renderer& r) {
    beginDrawing(r);
    r.frame.clear(sf::Color::Black);
    drawScreen(g, r);
    endDrawing(r);
    sf::RenderStates cursor;
    cursor.transform.translate(static_cast<float>(g.shared.input.mouseX),
                               static_cast<float>(g.shared.input.mouseY));
    r.frame.draw(g.frame.cursorSprite, cursor);
    r.frame.display();
}
