// The customer types, spawning and removal.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/records.h"

#include "assets/assets.h"
#include "ground/game.h"

#include <string>
#include <vector>

namespace {

struct TypeRow {
    int appetite, walkSpeed, reward, frameWidth, frameHeight;
    const char* body;
    const char* shadow;
    const char* friesHit;
    const char* burgerHit;
    const char* sodaHit;
};

constexpr TypeRow typeRows[CustomerTypeCount] = {
    {50, 125, 40, 77, 106, "leCelibataire.png", "ombre celib.png", "Celibataire frite effet.png",
     "Celibataire burger effet.png", "Celibataire soda effet.png"},
    {70, 100, 100, 109, 120, "laFamille.png", "ombre famille.png", "Famille frite effet.png",
     "Famille burger effet.png", "Famille soda effet.png"},
    {150, 150, 60, 98, 125, "leGros.png", "ombre enrobé.png", "Enrobé frite effet.png",
     "Enrobé burger effet.png", "Enrobé soda effet.png"},
    {30, 200, 20, 87, 103, "leBusinessMan.png", "ombre businessman.png",
     "Businessman frite effet.png", "Businessman burger effet.png", "Businessman soda effet.png"},
};

std::string clientPath(const char* name) {
    return std::string("../resources/textures/client/") + name;
}

// The frames of the fries cloud, every type's.
constexpr int friesHitWidth = 129, friesHitHeight = 124;
// The gauge's frame and its fill.
constexpr int gaugeWidth = 104, gaugeHeight = 14, fillWidth = 100, fillHeight = 10;

struct Watchers {
    void (*comes)(Customer&) = nullptr;
    void (*goes)(const Customer*) = nullptr;
};

Watchers& watchers() {
    static Watchers registered;
    return registered;
}

// The figures of its type, each customer's own copy.
void takeTypeFigures(Customer& c, const CustomerTypeInfo& info) {
    c.appetite = info.appetite;
    c.speed = info.walkSpeed;
    c.slowedSpeed = static_cast<float>(info.walkSpeed);
    c.reward = info.reward;
    c.frameWidth = info.frameWidth;
    c.frameHeight = info.frameHeight;
    c.shadowTexture = info.shadowTexture;
    c.friesHitTexture = info.friesHitTexture;
    c.burgerHitTexture = info.burgerHitTexture;
    c.sodaHitTexture = info.sodaHitTexture;
    c.friesHitFrameWidth = info.friesHitFrameWidth;
    c.friesHitFrameHeight = info.friesHitFrameHeight;
}

// The body, its shadow and the hit effects, all hung from the feet where the customer stands,
// and the gauge over its head.
void dressCustomer(Customer& c) {
    // The feet are the origin: bottom centre of a frame (a Family's 109 gives 54).
    const sf::Vector2f feet(static_cast<float>(c.frameWidth / 2),
                            static_cast<float>(c.frameHeight));
    setSpriteTexture(c.bodySprite, game.crowd.customerBodyTextures[c.type]);
    c.bodySprite.setOrigin(feet);
    c.bodySprite.setPosition(c.x, c.y);
    c.bodySprite.setTextureRect(c.bodyRect);
    setSpriteTexture(c.shadowSprite, c.shadowTexture);
    c.shadowSprite.setOrigin(feet);
    c.shadowSprite.setPosition(c.x, c.y);
    const sf::Texture* hitTextures[3] = {c.friesHitTexture, c.burgerHitTexture, c.sodaHitTexture};
    for (int i = 0; i < 3; ++i) {
        setSpriteTexture(c.hitSprites[i], hitTextures[i]);
        c.hitSprites[i].setOrigin(feet);
        c.hitTimes[i] = -1.0f;
        c.hitActive[i] = 0;
    }
    c.friesHitRect = sf::IntRect(0, 0, 129, 124);
    c.friesHitFrameTime = -1.0f;
    c.friesHitFrame = -1;
    setSpriteTexture(c.satisfactionSprite, game.crowd.satisfactionTexture, true);
    setSpriteTexture(c.gaugeSprite, game.crowd.gaugeTexture, true);
}

} // namespace

void loadCustomerAssets() {
    // Every picture of a customer, kept trimmed in one atlas: a crowd is drawn in a few draws.
    // In order: per type body, shadow, fries, burger and soda hits; then the gauge and its fill.
    std::vector<SheetRequest> sheets;
    for (const TypeRow& row : typeRows) {
        const int w = row.frameWidth, h = row.frameHeight;
        sheets.push_back({clientPath(row.body), w, h});
        sheets.push_back({clientPath(row.shadow), w, h}); // the Family's has a row per direction
        sheets.push_back({clientPath(row.friesHit), friesHitWidth, friesHitHeight});
        sheets.push_back({clientPath(row.burgerHit), w, h});
        sheets.push_back({clientPath(row.sodaHit), w, h});
    }
    sheets.push_back({clientPath("jauge.png"), gaugeWidth, gaugeHeight});
    sheets.push_back({clientPath("satisfaction.png"), fillWidth, fillHeight});
    const std::vector<const sf::Texture*> loaded = loadTrimmedSheets(sheets);
    auto next = loaded.begin();
    for (int type = 0; type < CustomerTypeCount; ++type) {
        const TypeRow& row = typeRows[type];
        CustomerTypeInfo& info = game.crowd.customerTypes[type];
        game.crowd.customerBodyTextures[type] = *next++;
        info.shadowTexture = *next++;
        info.friesHitTexture = *next++;
        info.burgerHitTexture = *next++;
        info.sodaHitTexture = *next++;
        info.appetite = row.appetite;
        info.walkSpeed = row.walkSpeed;
        info.reward = row.reward;
        info.frameWidth = row.frameWidth;
        info.frameHeight = row.frameHeight;
        info.friesHitFrameWidth = friesHitWidth;
        info.friesHitFrameHeight = friesHitHeight;
    }
    // The gauge pictures are the same for everyone: loaded once and shared.
    game.crowd.gaugeTexture = *next++;
    game.crowd.satisfactionTexture = *next++;
    game.crowd.nextCustomerId = 1;
}

Customer& spawnCustomer(int type, int direction, int pathIndex, float x, float y) {
    game.crowd.customers.emplace_front();
    Customer& c = game.crowd.customers.front();
    takeTypeFigures(c, game.crowd.customerTypes[type]);
    c.type = type;
    c.id = game.crowd.nextCustomerId;
    game.crowd.nextCustomerId += 1;
    c.x = c.pathX = x;
    c.y = c.pathY = y;
    c.direction = direction;
    c.pathIndex = pathIndex;
    c.fed = 0;
    c.hasExited = 0;
    c.sideStepped = 0;
    c.walkFrame = 0;
    c.lastWalkFrameTime = game.clock.now;
    c.bodyRect = sf::IntRect(0, direction * c.frameHeight, c.frameWidth, c.frameHeight);
    dressCustomer(c);
    game.crowd.lastSpawnSpeed = c.slowedSpeed;
    if (game.crowd.featuredPending == 0) {
        game.crowd.featuredPending = 1;
        game.crowd.featuredCustomer = &c;
    }
    c.targetDistance = windowDiagonal;
    if (watchers().comes)
        watchers().comes(c);
    return c;
}

void watchCustomers(void (*comes)(Customer&), void (*goes)(const Customer*)) {
    watchers() = Watchers{comes, goes};
}

void forgetCustomer(const Customer& customer) {
    const Customer* gone = &customer;
    if (game.crowd.featuredCustomer == gone)
        game.crowd.featuredCustomer = nullptr;
    if (watchers().goes)
        watchers().goes(gone);
}

std::list<Customer>::iterator removeCustomer(std::list<Customer>::iterator customer) {
    forgetCustomer(*customer);
    return game.crowd.customers.erase(customer);
}

void forgetAllCustomers() {
    game.crowd.featuredCustomer = nullptr;
    if (watchers().goes)
        watchers().goes(nullptr);
}
