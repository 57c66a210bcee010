// The draw pass: clear, the layers of the current screen, the cursor last, present.
#include "level/level.h"
#include "rating/rating.h"
#include "shell/game_state.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

namespace {

// How the level under the current screen is drawn.
enum class LevelView { Running, Frozen, Options };

bool tutorialLayerShown(LevelView view) {
    if (game.tutorialEnabled != 1 || game.currentLevel > 2)
        return false;
    if (view != LevelView::Running && game.currentLevel == 2)
        return game.level2TutorialClicks > 0;
    return true;
}

void drawLevelLayers(LevelView view) {
    sf::RenderWindow& window = *game.window;
    window.draw(game.mapSprite);
    if (game.currentLevel == 0 || game.currentLevel == 1)
        window.draw(game.doorSprite);
    drawWorld();
    drawHud();
    drawTowerMenu();
    if (view != LevelView::Frozen) {
        if (tickCountdown() == 0)
            drawWavePreview();
        setTimerHoverScale();
    }
    drawReviewPanel();
    if (game.currentLevel == 2 || game.currentLevel == 3)
        drawPathAlert(view != LevelView::Running);
    if (tutorialLayerShown(view))
        drawTutorialLayer();
    if (game.levelWon || game.levelLost)
        drawLevelEnd();
}

void drawScreen() {
    switch (game.screen) {
    case TitleMenu:
    case LevelSelect:
        drawMenu();
        break;
    case Options:
        drawMenu();
        drawDeleteButton();
        break;
    case Shop:
        drawMenu();
        drawShop();
        break;
    case Help:
        drawMenu();
        drawHelpFoods();
        break;
    case InGame:
        drawLevelLayers(LevelView::Running);
        break;
    case GameMenu:
        sampleMouse();
        drawLevelLayers(LevelView::Frozen);
        drawGameMenu();
        break;
    case Logo:
        drawLogoScreen();
        break;
    case Splash:
        drawSplash();
        break;
    case GameOptions:
        drawLevelLayers(LevelView::Options);
        drawGameOptions();
        break;
    default: // Quit shows nothing but the cursor
        break;
    }
}

} // namespace

void drawFrame() {
    sf::RenderWindow& window = *game.window;
    window.clear(sf::Color::Black);
    const sf::Vector2i mouse = game.platform->mousePosition();
    game.cursorSprite.setPosition(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    drawScreen();
    window.draw(game.cursorSprite);
    window.display();
}
