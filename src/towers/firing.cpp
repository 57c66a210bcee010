// Targeting, attacks, projectiles and impacts.
#include "customers/records.h"
#include "ground/records.h"
#include "level/records.h"
#include "towers/records.h"
#include "towers/towers.h"

#include "assets/assets.h"
#include "customers/customers.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A burger feeds the first customer whose feet come this close.
constexpr float burgerReach = 67;

// Whether more than `wait` has passed since `since` by this frame, and not before `notBefore`
// (see firstMomentWhen): the moment in `at`.
bool waited(float since, float wait, float& at, float notBefore = -1) {
    const auto over = [&](float time) { return time - since > wait && time >= notBefore; };
    return firstMomentWhen(game.clock, over, at);
}

bool hungry(const Customer& customer) {
    return customer.fed < customer.appetite;
}

int countHungryInRange(const Tower& tower) {
    const RangeEllipse range(tower);
    int count = 0;
    for (const Customer& customer : game.crowd.customers)
        if (hungry(customer) && range.contains(customer.x, customer.y))
            ++count;
    return count;
}

// A gauge fills to the customer's appetite and no further: what it shows, the rating and the
// payment all read it as it stands.
void feed(Customer& customer, int points, int food) {
    customer.fed = std::min(customer.fed + points, customer.appetite);
    customer.hitActive[food] = 1;
    customer.hitTimes[food] = game.clock.now;
}

// A turning Fries tower shows the sheet row that looks towards its target.
int rowFacing(const Tower& tower, const Customer& target) {
    if (target.x >= tower.x)
        return target.y <= tower.y ? 2 : 0;
    return target.y <= tower.y ? 3 : 1;
}

void attackWithFries(Tower& tower, int candidates) {
    playSoundIfStopped(SoundFriesShot);
    tower.firing = 1;
    if (tower.facing == 4) {
        tower.frameRect.top = rowFacing(tower, *game.defence.firstTarget) * tower.stats.frameHeight;
        tower.sprite.setTextureRect(tower.frameRect);
    }
    // One portion per level, never twice to the same customer.
    Customer* fed[3] = {game.defence.firstTarget, nullptr, nullptr};
    if (tower.level >= 1 && candidates >= 2)
        fed[1] = game.defence.secondTarget;
    if (tower.level >= 2 && candidates >= 3)
        fed[2] = game.defence.thirdTarget;
    for (Customer* customer : fed) {
        if (!customer)
            continue;
        feed(*customer, tower.stats.feed, Fries);
        customer->targetDistance = windowDiagonal;
    }
}

// Where the burger leaves the tower's hand, from the frame's top-left corner.
sf::Vector2f burgerMuzzle(const Tower& tower) {
    static constexpr float muzzles[3][2][2] = {
        {{127, 133}, {48, 133}}, {{131, 137}, {60, 137}}, {{133, 149}, {62, 149}}};
    const TowerStats& s = tower.stats;
    const float left = tower.x - s.originX, top = tower.y - s.originY;
    int row = -1;
    if (tower.frameRect.top == 0)
        row = 0;
    else if (tower.frameRect.top == s.frameHeight)
        row = 1;
    if (row < 0 || tower.level < 0 || tower.level > 2)
        return {left + static_cast<float>(s.frameWidth / 2),
                top + static_cast<float>(s.frameHeight / 2)};
    return {left + muzzles[tower.level][row][0], top + muzzles[tower.level][row][1]};
}

void attackWithBurger(Tower& tower) {
    Customer& target = *game.defence.firstTarget;
    const TowerStats& s = tower.stats;
    const sf::Vector2f muzzle = burgerMuzzle(tower);
    const float angle = std::atan2(target.y - muzzle.y, target.x - muzzle.x);
    spawnProjectile(game.defence.burgerShotTexture, s.projectileWidth, angle, s.range,
                    s.projectileHeight, s.feed, Burger, s.fireInterval, tower.facing, muzzle.x,
                    muzzle.y, 0, 0);
    playSound(SoundBurgerThrow);
    target.targetDistance = windowDiagonal;
    tower.firing = 1;
    tower.frameRect.left = s.frameWidth; // the throw starts on column 1
}

void attack(Tower& tower) {
    // A tower attacks only while it waits: never again while its gesture still runs. A new
    // tower looks from the moment it was built, when its gesture clock starts.
    float at = 0;
    if (tower.firing ||
        !waited(tower.lastFireTime, tower.stats.fireInterval / game.waveClock.gameSpeed, at,
                tower.lastFrameTime))
        return;
    const int candidates = chooseTargets(tower);
    if (tower.targetCount == 0 || candidates == 0) {
        // Nobody to feed: look again one interval later.
        tower.lastFireTime = at;
        return;
    }
    switch (tower.type) {
    case Fries:
        attackWithFries(tower, candidates);
        break;
    case Burger:
        attackWithBurger(tower);
        break;
    case Soda:
        tower.firing = 1; // the splash comes with the pouring animation
        game.defence.firstTarget->targetDistance = windowDiagonal;
        break;
    default:
        break;
    }
    tower.lastFireTime = at;
}

// One step of the gesture, at the moment `at`.
void stepGesture(Tower& tower, float at) {
    const TowerStats& s = tower.stats;
    tower.animFrame += 1;
    if (tower.animFrame >= s.frameCount) {
        tower.firing = 0;
        tower.animFrame = 0;
        tower.lastFireTime = at; // the next interval counts from the end of the gesture
    }
    if (tower.type == Soda) {
        if (tower.animFrame == s.frameCount - 4) {
            // The splash is row 1 of the tower's own sheet, laid exactly over the tower.
            Projectile& splash = spawnProjectile(
                s.towerTexture, s.frameWidth, 0, s.range, s.frameHeight, s.feed, Soda,
                s.fireInterval, tower.facing, tower.x, tower.y, s.originX, s.originY);
            splash.frameTime = splash.hitTime = at;
        }
        if (tower.animFrame == s.frameCount - 6)
            playSound(SoundSodaShot);
    }
    tower.frameRect.left = s.frameWidth * tower.animFrame;
    tower.lastFrameTime = at;
}

void animate(Tower& tower) {
    // Every step that fell due since the last frame, the first one with the attack that began
    // the gesture.
    float at = 0;
    while (tower.firing &&
           waited(tower.lastFrameTime, tower.stats.frameDuration / game.waveClock.gameSpeed, at))
        stepGesture(tower, std::max(at, tower.lastFireTime));
}

void refresh(Tower& tower) {
    const TowerStats& s = tower.stats;
    tower.sprite.setOrigin(s.originX, s.originY);
    if (tower.facing != 4 && tower.type != Soda)
        tower.frameRect.top = tower.facing * s.frameHeight;
    const sf::Texture* sheet = game.defence.towerCatalogue[tower.type][tower.level].towerTexture;
    if (tower.sprite.getTexture() != sheet) {
        setSpriteTexture(tower.sprite, sheet);
        tower.sprite.setOrigin(s.originX, s.originY);
        tower.frameRect.width = s.frameWidth;
        tower.frameRect.height = s.frameHeight;
    }
    updateTowerHover(tower);
    tower.targetCount = countHungryInRange(tower);
    tower.sprite.setTextureRect(tower.frameRect);
}

// The integer half-axes of a splash's ellipse, squared as the floor has always used them.
void splashAxes(const Projectile& splash, long& a, long& b) {
    const long w = splash.frameRect.width, h = splash.frameRect.height;
    a = ((w / 2) * w) / 2;
    b = ((h / 2) * h) / 2;
}

bool inSplash(const Customer& customer, const Projectile& splash) {
    long a = 0, b = 0;
    splashAxes(splash, a, b);
    if (a <= 0 || b <= 0)
        return false;
    const float dx = customer.x - splash.x, dy = customer.y - splash.y;
    return dx * dx / static_cast<float>(a) + dy * dy / static_cast<float>(b) <= 1.0f;
}

// Whether a burger's picture has wholly left the window (nothing can be fed out there).
bool outOfWindow(const Projectile& burger) {
    const sf::FloatRect window(0, 0, 1920, 1080);
    const sf::FloatRect picture(burger.x, burger.y, static_cast<float>(burger.frameRect.width),
                                static_cast<float>(burger.frameRect.height));
    return !window.intersects(picture);
}

bool withinReach(const Customer& customer, const Projectile& burger) {
    const float dx = customer.x - burger.x, dy = customer.y - burger.y;
    return std::sqrt(dx * dx + dy * dy) < burgerReach;
}

// A burger flies 1000 pixels a second of game time. A long frame's flight is cut into moves no
// longer than a 50-frames-a-second frame's, and the burger stops after the move that brings it
// within reach of someone, as it would have at 60 frames a second, instead of flying on past a
// customer between two far-apart looks.
void flyBurger(Projectile& burger) {
    constexpr double longestFlight = 1000.0 / 50.0;
    const double flight =
        game.waveClock.gameSpeed * 1000.0 * static_cast<double>(game.clock.frameDelta);
    const double dx = std::cos(static_cast<double>(burger.angle));
    const double dy = std::sin(static_cast<double>(burger.angle));
    const int moves =
        flight > longestFlight * game.waveClock.gameSpeed
            ? static_cast<int>(std::ceil(flight / (longestFlight * game.waveClock.gameSpeed)))
            : 1;
    const double each = moves == 1 ? flight : flight / moves;
    for (int i = 0; i < moves; ++i) {
        burger.x = static_cast<float>(burger.x + dx * each);
        burger.y = static_cast<float>(burger.y + dy * each);
        for (const Customer& customer : game.crowd.customers)
            if (withinReach(customer, burger))
                return;
    }
}

void slowCustomers() {
    for (Customer& customer : game.crowd.customers) {
        int splashes = 0;
        for (const Projectile& p : game.defence.projectiles)
            if (p.kind == Soda && inSplash(customer, p))
                ++splashes;
        if (splashes >= 1) {
            const int walkSpeed = game.crowd.customerTypes[customer.type].walkSpeed;
            customer.slowedSpeed = static_cast<float>(walkSpeed / (splashes + 0.5));
        }
    }
}

void aimAtNewcomer(Customer& newcomer) {
    game.defence.firstTarget = game.defence.secondTarget = game.defence.thirdTarget = &newcomer;
}

// Nothing of the towers keeps pointing at a customer gone (every customer when null).
void forgetTarget(const Customer* gone) {
    for (Link<Customer>* target :
         {&game.defence.firstTarget, &game.defence.secondTarget, &game.defence.thirdTarget})
        if (!gone || *target == gone)
            *target = nullptr;
    for (Projectile& projectile : game.defence.projectiles)
        if (!gone || projectile.target == gone)
            projectile.target = nullptr;
}

} // namespace

void watchCustomersForTowers() {
    watchCustomers(aimAtNewcomer, forgetTarget);
}

int chooseTargets(const Tower& tower) {
    Customer* best[3] = {nullptr, nullptr, nullptr};
    float bestDistance[3];
    for (float& d : bestDistance)
        d = std::numeric_limits<float>::infinity();
    int candidates = 0;
    const RangeEllipse range(tower);
    for (Customer& customer : game.crowd.customers) {
        if (!hungry(customer) || !range.contains(customer.x, customer.y))
            continue;
        ++candidates;
        const float dx = customer.pathX - game.level.goalPoint.x;
        const float dy = customer.pathY - game.level.goalPoint.y;
        const float distance = std::sqrt(dx * dx + dy * dy);
        customer.targetDistance = distance;
        // Strictly nearer only: on a tie the newer customer (met first) keeps its place.
        if (distance < bestDistance[0]) {
            best[2] = best[1], bestDistance[2] = bestDistance[1];
            best[1] = best[0], bestDistance[1] = bestDistance[0];
            best[0] = &customer, bestDistance[0] = distance;
        } else if (distance < bestDistance[1]) {
            best[2] = best[1], bestDistance[2] = bestDistance[1];
            best[1] = &customer, bestDistance[1] = distance;
        } else if (distance < bestDistance[2]) {
            best[2] = &customer, bestDistance[2] = distance;
        }
    }
    if (candidates == 0)
        return 0;
    game.defence.firstTarget = best[0];
    game.defence.secondTarget = candidates >= 2 ? best[1] : best[0];
    game.defence.thirdTarget = candidates >= 3 ? best[2] : best[0];
    return candidates;
}

void updateTowers() {
    for (Tower& tower : game.defence.towers)
        refresh(tower);
    for (Tower& tower : game.defence.towers)
        attack(tower);
    for (Tower& tower : game.defence.towers)
        animate(tower);
    updateInfoPanel();
}

void updateProjectiles() {
    for (auto it = game.defence.projectiles.begin(); it != game.defence.projectiles.end();) {
        Projectile& p = *it;
        if (p.kind == Burger) {
            flyBurger(p);
            if (outOfWindow(p)) {
                it = game.defence.projectiles.erase(it); // a miss: gone once it has left the room
                continue;
            }
        } else {
            float at = 0;
            while (p.frame < 4 && waited(p.frameTime, 0.1f / game.waveClock.gameSpeed, at)) {
                p.frame += 1;
                p.frameTime = at;
            }
            if (p.frame >= 4) {
                it = game.defence.projectiles.erase(it);
                continue;
            }
        }
        p.frameRect.left = p.frameWidth * p.frame;
        p.sprite.setTextureRect(p.frameRect);
        p.sprite.setPosition(p.x, p.y);
        ++it;
    }
    resolveImpacts();
}

void resolveImpacts() {
    slowCustomers();
    for (auto it = game.defence.projectiles.begin(); it != game.defence.projectiles.end();) {
        Projectile& p = *it;
        bool burgerLanded = false;
        bool splashFed = false;
        for (Customer& customer : game.crowd.customers) {
            if (p.kind == Burger) {
                if (withinReach(customer, p)) {
                    feed(customer, p.feed, Burger);
                    playSound(SoundBurgerImpact);
                    burgerLanded = true;
                }
            } else if (p.hasHit == 0 && inSplash(customer, p)) {
                feed(customer, p.feed, Soda);
                splashFed = true;
            }
            if (burgerLanded)
                break;
        }
        if (burgerLanded) {
            it = game.defence.projectiles.erase(it);
            continue;
        }
        if (splashFed) {
            p.hasHit = 1;
            p.hitTime = game.clock.now;
        }
        if (p.kind == Soda && p.hasHit == 1 && game.clock.now - p.hitTime > p.lifetime) {
            it = game.defence.projectiles.erase(it);
            continue;
        }
        ++it;
    }
}

Projectile& spawnProjectile(const sf::Texture* texture, int frameWidth, float angle, float range,
                            int frameHeight, int feed, int kind, float lifetime, int facing,
                            float x, float y, float originX, float originY) {
    game.defence.projectiles.emplace_front();
    Projectile& p = game.defence.projectiles.front();
    setSpriteTexture(p.sprite, texture);
    p.sprite.setOrigin(originX, originY);
    p.sprite.setPosition(x, y);
    p.x = x;
    p.y = y;
    p.angle = angle;
    p.range = range;
    p.feed = feed;
    p.kind = kind;
    p.lifetime = lifetime;
    p.facing = facing;
    p.frameWidth = frameWidth;
    p.frameRect = sf::IntRect(0, kind == Soda ? frameHeight : 0, frameWidth, frameHeight);
    p.sprite.setTextureRect(p.frameRect);
    p.hasHit = 0;
    p.frame = 0;
    p.hitTime = p.frameTime = game.clock.now;
    p.target = game.defence.firstTarget;
    return p;
}
