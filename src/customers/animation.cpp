// Walk cycle, hit effects and the customer's sprites in the world pass.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/records.h"

#include "ground/game.h"
#include "ground/ground.h"

#include <algorithm>

void animateCustomer(Customer& c) {
    // Slowed customers hold each frame longer; at double speed the cycle runs every update.
    const int walkSpeed = game.crowd.customerTypes[c.type].walkSpeed;
    const double holdTime = (walkSpeed - c.speed) / 100 + 0.05 / game.waveClock.gameSpeed;
    if (static_cast<double>(game.clock.now - c.lastWalkFrameTime) > holdTime) {
        c.walkFrame += 1;
        if (c.walkFrame == 8)
            c.walkFrame = 0;
        c.lastWalkFrameTime = game.clock.now;
        c.bodyRect.left = c.walkFrame * c.frameWidth;
    }
    c.bodyRect.top = c.frameHeight * c.direction;

    // Fries: three frames of 0.1 s of game time.
    if (c.hitActive[0] == 1) {
        if (game.clock.now - c.friesHitFrameTime > 0.1 / game.waveClock.gameSpeed) {
            c.friesHitFrame += 1;
            if (c.friesHitFrame == 3) {
                c.friesHitFrame = -1;
                c.hitActive[0] = 0;
            }
            c.friesHitFrameTime = game.clock.now;
        }
        c.friesHitRect = sf::IntRect(129 * c.friesHitFrame, 124 * c.direction, 129, 124);
    }
    if (game.clock.now - c.hitTimes[1] >
            (game.waveClock.pausedTotal + 0.5) / game.waveClock.gameSpeed &&
        c.hitActive[1] == 1)
        c.hitActive[1] = 0;
    // The slow ends here (see firstMomentWhen); slowedSpeed is kept for the next puddle.
    const auto slowOver = [&c](float time) {
        return time - c.hitTimes[2] >
               (game.waveClock.pausedTotal + 2.0f) / static_cast<float>(game.waveClock.gameSpeed);
    };
    float at = 0;
    if (c.hitActive[2] == 1 && firstMomentWhen(game.clock, slowOver, at))
        c.hitActive[2] = 0;
}

void refreshCustomerSprites() {
    for (Customer& c : game.crowd.customers) {
        c.gaugeSprite.setTextureRect(sf::IntRect(0, 0, 104, 14));
        const int fill = c.appetite > 0 ? c.fed * 100 / c.appetite : 0;
        c.satisfactionSprite.setTextureRect(sf::IntRect(0, 0, fill, 10));
        // The Family's shadow has one row per direction.
        const int shadowTop = c.type == Family ? c.direction * c.frameHeight : 0;
        c.shadowSprite.setTextureRect(sf::IntRect(0, shadowTop, c.frameWidth, c.frameHeight));
        c.bodySprite.setTextureRect(c.bodyRect);
        c.hitSprites[0].setTextureRect(c.friesHitRect);
        const sf::IntRect facing(c.direction * c.frameWidth, 0, c.frameWidth, c.frameHeight);
        c.hitSprites[1].setTextureRect(facing);
        c.hitSprites[2].setTextureRect(facing);
    }
}
