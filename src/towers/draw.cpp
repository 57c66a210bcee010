// What the towers draw: the world pass (everything on the floor, back to front), the open tower
// menu with its previews and prices, and the tower info panel.
#include "ground/records.h"
#include "level/records.h"
#include "rating/records.h"
#include "towers/records.h"
#include "towers/towers.h"

#include "customers/customers.h"
#include "level/level.h"

#include <cmath>

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

// The price under a menu button (`which`: a build button's type, or the upgrade's); red when
// the money does not cover it, shaking a moment once refused.
void drawPrice(const GameSight& g, Renderer& r, int amount, const sf::Sprite& button,
               bool unaffordable, int which) {
    sf::Text text = priceLabel(g.defence.priceText, amount, button);
    if (unaffordable)
        text.setFillColor(sf::Color(200, 20, 20));
    if (which == g.defence.refusedPrice)
        text.move(std::round(refusalShake(g.clock.now - g.defence.refusedAt)), 0);
    r.frame.draw(text);
}

const Tower* menuTower(const GameSight& g) {
    for (const Tower& tower : g.defence.towers)
        if (&tower == g.defence.selectedTower)
            return &tower;
    return nullptr;
}

} // namespace

void drawWorld(const GameSight& g, Renderer& r) {
    for (const TowerSlot& slot : g.level.slots)
        if (slot.occupied == 0)
            r.frame.draw(slot.sprite);
    r.queue.clear();

    for (const Projectile& p : g.defence.projectiles)
        if (backLayer(p))
            drawSprite(r, p.sprite);

    if (g.shared.currentLevel == 2 || g.shared.currentLevel == 3)
        queueObstacleSprites(g, r);

    for (const Tower& tower : g.defence.towers) {
        // The range disc lies under every queued sprite.
        if (tower.showRange == 1)
            r.frame.draw(tower.rangeSprite);
        queueItem(r, tower.sprite, tower.sprite.getPosition(), tower.y);
    }
    for (const Decoration& prop : g.level.decorations)
        queueItem(r, prop.sprite, {prop.x, prop.y}, prop.y);
    queueCustomerSprites(g, r);

    sortDrawQueue(r);
    drawQueue(r);

    for (const Projectile& p : g.defence.projectiles)
        if (frontLayer(p))
            drawSprite(r, p.sprite);
}

void drawTowerMenu(const GameSight& g, Renderer& r, int paidFor) {
    switch (g.defence.towerMenu) {
    case BuildMenu: {
        if (!g.defence.selectedSlot)
            break;
        for (int type = 0; type < TowerTypeCount; ++type) {
            if (!g.defence.buildChoiceHovered[type])
                continue;
            r.frame.draw(g.defence.rangePreviewSprites[type]);
            drawSprite(r, g.defence.buildPreviewSprites[type]);
            drawTowerInfoPanel(g, r);
        }
        for (int type = 0; type < TowerTypeCount; ++type) {
            r.frame.draw(g.defence.buildButtons[type]);
            const int cost = g.defence.towerCatalogue[type][0].cost;
            drawPrice(g, r, cost, g.defence.buildButtons[type],
                      g.rating.money < cost && type != paidFor, type);
        }
        break;
    }
    case UpgradeToLevel2:
    case UpgradeToLevel3: {
        const Tower* tower = menuTower(g);
        if (!tower)
            break;
        const int target = g.defence.towerMenu == UpgradeToLevel2 ? 1 : 2;
        r.frame.draw(g.defence.sellButton);
        r.frame.draw(g.defence.upgradeButton);
        const int cost = g.defence.towerCatalogue[tower->type][target].cost;
        drawPrice(g, r, cost, g.defence.upgradeButton, g.rating.money < cost, UpgradePrice);
        drawPrice(g, r, tower->stats.saleValue, g.defence.sellButton, false, -1);
        break;
    }
    case SellOnly: {
        const Tower* tower = menuTower(g);
        if (!tower)
            break;
        r.frame.draw(g.defence.sellButton);
        drawPrice(g, r, tower->stats.saleValue, g.defence.sellButton, false, -1);
        break;
    }
    default:
        break;
    }
}

void drawTowerInfoPanel(const GameSight& g, Renderer& r) {
    r.frame.draw(g.defence.infoPanel);
    for (const sf::Text& text : g.defence.infoTexts)
        r.frame.draw(text);
}
