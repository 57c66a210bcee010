// The customers' sprites in the world pass: gauge, shadow, body and the hit effects.
#include "customers/customers.h"
#include "customers/records.h"

void queueCustomerSprites(const GameSight& g, Renderer& r) {
    for (const Customer& c : g.crowd.customers) {
        const float x = c.x, y = c.y;
        const float top = y - static_cast<float>(c.frameHeight);
        const float gaugeHeight = c.gaugeSprite.getGlobalBounds().height;
        queueItem(r, c.gaugeSprite, {x - 50, top - gaugeHeight}, y);
        const float fillHeight = c.satisfactionSprite.getGlobalBounds().height;
        queueItem(r, c.satisfactionSprite, {x - 50 + 2, top - fillHeight - 2}, y + 1);
        queueItem(r, c.shadowSprite, {x, y - 1}, y - 1);
        queueItem(r, c.bodySprite, {x, y}, y);
        for (int i = 0; i < 3; ++i) {
            if (c.hitActive[i] != 1)
                continue;
            if (i == 0) // the 129 x 124 cloud is centred on the feet and ends at them
                queueItem(r, c.hitSprites[i],
                          {x - (129 - c.frameWidth) / 2, y - (124 - c.frameHeight)}, y + 1);
            else
                queueItem(r, c.hitSprites[i], {x, y + 1}, y + 1);
        }
    }
}
