// What the level draws: the obstacles in the world pass and the blinking warning.
#include "level/level.h"

void queueObstacleSprites(const GameState& g, Renderer& r) {
    for (int i = 0; i < obstacleCount(g); ++i) {
        const sf::Sprite& mopper = g.mopperSprites[i];
        if (g.obstacleActive == 1) {
            queueItem(r, mopper, mopper.getPosition(), mopper.getPosition().y);
            const sf::Sprite& sign = g.signSprites[i];
            queueItem(r, sign, sign.getPosition(), sign.getPosition().y);
        } else if (g.pathOpenPhase == 1) {
            queueItem(r, mopper, mopper.getPosition(), mopper.getPosition().y);
        }
    }
}

void drawPathAlert(const GameState& g, Renderer& r) {
    if (g.pathAlertShown == 0)
        return;
    const int shown = g.currentLevel == 3 ? 3 : 1;
    for (int i = 0; i < shown; ++i)
        r.frame.draw(g.warningSprites[i]);
}
