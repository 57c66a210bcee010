// What the level draws: the obstacles in the world pass and the blinking warning.
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"

void queueObstacleSprites(const GameSight& g, Renderer& r) {
    for (int i = 0; i < obstacleCount(g); ++i) {
        const sf::Sprite& mopper = g.obstacle.mopperSprites[i];
        if (g.obstacle.obstacleActive == 1) {
            queueItem(r, mopper, mopper.getPosition(), mopper.getPosition().y);
            const sf::Sprite& sign = g.obstacle.signSprites[i];
            queueItem(r, sign, sign.getPosition(), sign.getPosition().y);
        } else if (g.obstacle.pathOpenPhase == 1) {
            queueItem(r, mopper, mopper.getPosition(), mopper.getPosition().y);
        }
    }
}

void drawPathAlert(const GameSight& g, Renderer& r) {
    if (g.obstacle.pathAlertShown == 0)
        return;
    const int shown = g.shared.currentLevel == 3 ? 3 : 1;
    for (int i = 0; i < shown; ++i)
        r.frame.draw(g.obstacle.warningSprites[i]);
}
