// The menu screens and the level selection.
#include "level/level.h"
#include "persist/persist.h"
#include "shell/game_state.h"
#include "shell/shell.h"
#include "ui/ui.h"

void initMenus() {
    game.screen = Splash;
    game.clickLatch = 0;
    game.currentLevel = 0;
    initIntro();
}
void drawMenu() {}
void handleLevelSelect() {}
void handleMenuPanel() {}
void handlePadlockPress() {}
void updateLevelCards() {}
void startLevel() {
    game.screen = InGame;
    setupCurrentLevel();
    game.ratingStars.setPosition(1575 * game.layoutScaleX, 145 * game.layoutScaleY);
    game.ratingStars.setScale(game.layoutScaleX, game.layoutScaleY);
    game.objectiveStars.setPosition(1700 * game.layoutScaleX, 385 * game.layoutScaleY);
    game.objectiveStars.setScale(0.35f * game.layoutScaleX, 0.35f * game.layoutScaleY);
    game.clickLatch = 1;
    game.endReviewsChosen = 0;
    stopMusic(MusicMenu);
}
