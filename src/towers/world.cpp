// The world pass: everything on the floor, back to front.
#include "towers/towers.h"

#include "customers/customers.h"
#include "level/level.h"

#include <algorithm>

namespace {

// Splashes always lie under everything queued, and so do burgers thrown away from the viewer.
bool backLayer(const Projectile& p) {
    return p.kind == Soda || (p.kind == Burger && (p.facing == 2 || p.facing == 3));
}

// Burgers thrown towards the viewer fly over the customers, and so do those of a turning
// tower (facing 4), which would otherwise fly and hit unseen. A splash is never drawn twice.
bool frontLayer(const Projectile& p) {
    return p.kind == Burger && (p.facing == 0 || p.facing == 1 || p.facing == 4);
}

} // namespace

void queueItem(const sf::Sprite& source, float x, float y, float depthY) {
    game.drawQueue.emplace_back();
    DrawItem& item = game.drawQueue.back();
    item.sprite = source;
    item.sprite.setPosition(x, y);
    item.depthY = depthY;
    item.x = x;
    item.y = y;
}

void sortDrawQueue() {
    // Back to front by depth; among equal depths the item queued last is drawn first.
    std::reverse(game.drawQueue.begin(), game.drawQueue.end());
    std::stable_sort(game.drawQueue.begin(), game.drawQueue.end(),
                     [](const DrawItem& a, const DrawItem& b) { return a.depthY < b.depthY; });
}

void drawWorld() {
    sf::RenderWindow& window = *game.window;
    for (const TowerSlot& slot : game.slots)
        if (slot.occupied == 0)
            window.draw(slot.sprite);
    game.drawQueue.clear();

    for (const Projectile& p : game.projectiles)
        if (backLayer(p))
            window.draw(p.sprite);

    if (game.currentLevel == 2 || game.currentLevel == 3)
        drawObstacles();

    for (Tower& tower : game.towers) {
        // The range disc lies under every queued sprite.
        if (tower.showRange == 1)
            window.draw(tower.rangeSprite);
        queueItem(tower.sprite, tower.sprite.getPosition().x, tower.sprite.getPosition().y,
                  tower.y);
    }
    for (Decoration& prop : game.decorations) {
        prop.sprite.setTextureRect(prop.frameRect);
        queueItem(prop.sprite, prop.x, prop.y, prop.y);
    }
    queueCustomerSprites();

    sortDrawQueue();
    for (const DrawItem& item : game.drawQueue)
        window.draw(item.sprite);

    for (const Projectile& p : game.projectiles)
        if (frontLayer(p))
            window.draw(p.sprite);
}
