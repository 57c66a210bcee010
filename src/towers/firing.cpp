// Targeting, attacks, projectiles and impacts.
#include "towers/towers.h"

bool inRange(const Tower&, float, float) {
    return false;
}
void updateTowers() {}
void updateProjectiles() {}
void resolveImpacts() {}
Projectile& spawnProjectile(const sf::Texture*, int, float, float, int, int, int, float, int, float,
                            float, float, float) {
    game.projectiles.emplace_front();
    return game.projectiles.front();
}
