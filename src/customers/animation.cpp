// Walk cycle, hit effects and the customer's sprites in the world pass.
#include "customers/customers.h"

#include "towers/towers.h"

#include <algorithm>

void animateCustomer(Customer& c) {
    c.fed = std::min(c.fed, c.appetite);

    // Slowed customers hold each frame longer; at double speed the cycle runs every update.
    const int walkSpeed = game.customerTypes[c.type].walkSpeed;
    const double holdTime = (walkSpeed - c.speed) / 100 + 0.05 / game.gameSpeed;
    if (static_cast<double>(game.now - c.lastWalkFrameTime) > holdTime) {
        c.walkFrame += 1;
        if (c.walkFrame == 8)
            c.walkFrame = 0;
        c.lastWalkFrameTime = game.now;
        c.bodyRect.left = c.walkFrame * c.frameWidth;
    }
    c.bodyRect.top = c.frameHeight * c.direction;

    // Fries: three frames of 0.1 s of game time.
    if (c.hitActive[0] == 1) {
        if (game.now - c.friesHitFrameTime > 0.1 / game.gameSpeed) {
            c.friesHitFrame += 1;
            if (c.friesHitFrame == 3) {
                c.friesHitFrame = -1;
                c.hitActive[0] = 0;
            }
            c.friesHitFrameTime = game.now;
        }
        c.friesHitRect = sf::IntRect(129 * c.friesHitFrame, 124 * c.direction, 129, 124);
    }
    if (game.now - c.hitTimes[1] > (game.pausedTotal + 0.5) / game.gameSpeed && c.hitActive[1] == 1)
        c.hitActive[1] = 0;
    // The slow ends here; slowedSpeed is kept for the next puddle.
    if (game.now - c.hitTimes[2] > (game.pausedTotal + 2.0f) / static_cast<float>(game.gameSpeed) &&
        c.hitActive[2] == 1)
        c.hitActive[2] = 0;
}

void queueCustomerSprites() {
    for (Customer& c : game.customers) {
        const float x = c.x, y = c.y;

        c.gaugeSprite.setTextureRect(sf::IntRect(0, 0, 104, 14));
        const float gaugeHeight = c.gaugeSprite.getGlobalBounds().height;
        queueItem(c.gaugeSprite, x - 50, y - c.frameHeight - gaugeHeight, y);

        const int fill = c.appetite > 0 ? c.fed * 100 / c.appetite : 0;
        c.satisfactionSprite.setTextureRect(sf::IntRect(0, 0, fill, 10));
        const float fillHeight = c.satisfactionSprite.getGlobalBounds().height;
        queueItem(c.satisfactionSprite, x - 50 + 2, y - c.frameHeight - fillHeight - 2, y + 1);

        // The Family's shadow has one row per direction.
        const int shadowTop = c.type == Family ? c.direction * c.frameHeight : 0;
        c.shadowSprite.setTextureRect(sf::IntRect(0, shadowTop, c.frameWidth, c.frameHeight));
        queueItem(c.shadowSprite, x, y - 1, y - 1);

        c.bodySprite.setTextureRect(c.bodyRect);
        c.bodySprite.setPosition(x, y);
        queueItem(c.bodySprite, x, y, y);

        for (int i = 0; i < 3; ++i) {
            if (c.hitActive[i] != 1)
                continue;
            sf::Sprite& hit = c.hitSprites[i];
            if (i == 0) {
                hit.setTextureRect(c.friesHitRect);
                // The 129 x 124 cloud is centred on the feet and ends at them.
                queueItem(hit, x - (129 - c.frameWidth) / 2, y - (124 - c.frameHeight), y + 1);
            } else {
                hit.setTextureRect(
                    sf::IntRect(c.direction * c.frameWidth, 0, c.frameWidth, c.frameHeight));
                queueItem(hit, x, y + 1, y + 1);
            }
        }
    }
}
