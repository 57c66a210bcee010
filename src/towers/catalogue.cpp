// The tower catalogue and building a tower.
#include "ground/records.h"
#include "towers/records.h"
#include "towers/towers.h"

#include "assets/assets.h"
#include "ground/game.h"

#include <cstdio>
#include <string>

namespace {

// One level of one tower type, as the designers tuned it. The sale value is not listed:
// it always follows from the costs (see saleValueOf).
struct CatalogueRow {
    int type;
    int level; // 0..2, shown to the player as 1..3
    int feed;
    float fireInterval;
    float range;
    int cost;
    int projectileWidth, projectileHeight;
    int frameWidth, frameHeight;
    float originX, originY;
    int frameCount;
    float hoverLeft, hoverWidth, hoverTop, hoverHeight;
    float frameDuration;
};

constexpr CatalogueRow catalogueRows[] = {
    // type  lvl feed interval range cost  shot w/h   frame w/h  origin x/y  frames  hover box
    {Fries, 0, 6, 0.5f, 150, 100, 50, 50, 365, 244, 190, 190, 9, 122, 158, 74, 152, 0.05f},
    {Fries, 1, 7, 0.8f, 200, 180, 50, 50, 317, 218, 160, 168, 9, 87, 155, 41, 174, 0.05f},
    {Fries, 2, 10, 0.7f, 250, 280, 50, 50, 361, 271, 177, 214, 9, 102, 176, 57, 210, 0.05f},
    {Burger, 0, 25, 1.5f, 150, 190, 19, 22, 200, 181, 96, 147, 6, 0, 105, 0, 127, 0.1f},
    {Burger, 1, 28, 1.5f, 175, 240, 19, 22, 200, 211, 96, 177, 6, 0, 106, 0, 151, 0.1f},
    {Burger, 2, 33, 1.5f, 200, 270, 19, 22, 200, 241, 96, 207, 6, 0, 114, 0, 208, 0.1f},
    {Soda, 0, 2, 1.0f, 150, 50, 400, 400, 389, 445, 176, 354, 10, 111, 130, 135, 238, 0.1f},
    {Soda, 1, 2, 0.75f, 200, 150, 400, 400, 495, 510, 225, 383, 11, 157, 135, 142, 260, 0.1f},
    {Soda, 2, 2, 0.75f, 250, 220, 400, 400, 559, 580, 258, 449, 12, 185, 144, 152, 318, 0.1f},
};
static_assert(sizeof(catalogueRows) / sizeof(catalogueRows[0]) == TowerTypeCount * 3,
              "one catalogue row per tower type and level");

constexpr bool rowsInOrder() {
    for (int i = 0; i < TowerTypeCount * 3; ++i)
        if (catalogueRows[i].type != i / 3 || catalogueRows[i].level != i % 3)
            return false;
    return true;
}
static_assert(rowsInOrder(), "catalogue rows are listed type by type, level by level");

// A tower sells for half of everything paid for it: the build price and every upgrade.
constexpr int saleValueOf(int type, int level) {
    int paid = 0;
    for (int l = 0; l <= level; ++l)
        paid += catalogueRows[type * 3 + l].cost;
    return paid / 2;
}
static_assert(saleValueOf(Fries, 1) == 140 && saleValueOf(Burger, 2) == 350,
              "sale value is half the total paid");

// The same name for the three levels; the blanks and line breaks centre it on the panel.
constexpr const char* towerNames[TowerTypeCount] = {N_("Tourelle \n  Frites"), N_(" Tour \nBurger"),
                                                    N_("Tour \nSoda")};
// File-name stems of the sheets and of the range discs.
constexpr const char* sheetStems[TowerTypeCount] = {"frite", "burger", "soda"};

std::string sheetPath(int type, int level) {
    char path[200];
    std::snprintf(path, sizeof path, "../resources/textures/tour/%s tower lvl_%d.png",
                  sheetStems[type], level + 1);
    return path;
}

std::string rangePath(int type, int level) {
    char path[200];
    std::snprintf(path, sizeof path, "../resources/textures/tour/range %s nv %d.png",
                  sheetStems[type], level + 1);
    return path;
}

// Puts the origin of a range disc at the centre of the picture it shows.
void centreOrigin(sf::Sprite& sprite) {
    const sf::FloatRect bounds = sprite.getLocalBounds();
    sprite.setOrigin(bounds.width / 2, bounds.height / 2);
}

} // namespace

void loadTowerCatalogue() {
    for (const CatalogueRow& row : catalogueRows) {
        TowerStats& stats = game.defence.towerCatalogue[row.type][row.level];
        stats.feed = row.feed;
        stats.fireInterval = row.fireInterval;
        stats.range = row.range;
        stats.cost = row.cost;
        stats.saleValue = saleValueOf(row.type, row.level);
        stats.projectileWidth = row.projectileWidth;
        stats.projectileHeight = row.projectileHeight;
        stats.name = towerNames[row.type];
        stats.frameWidth = row.frameWidth;
        stats.frameHeight = row.frameHeight;
        stats.originX = row.originX;
        stats.originY = row.originY;
        stats.rangeTexture = loadTexture(rangePath(row.type, row.level));
        // Three quarters of a sheet's pixels are clear: kept trimmed, the sheets take a fifth of
        // the memory and of the drawing.
        stats.towerTexture =
            loadTrimmedSheet(sheetPath(row.type, row.level), row.frameWidth, row.frameHeight);
        stats.frameCount = row.frameCount;
        stats.hoverBox = HoverBox{row.hoverLeft, row.hoverWidth, row.hoverTop, row.hoverHeight};
        stats.frameDuration = row.frameDuration;
    }
    game.defence.burgerShotTexture =
        loadTexture("../resources/textures/tour/burger tower shoot.png");
}

void initBuildPreviews() {
    for (int type = 0; type < TowerTypeCount; ++type) {
        const TowerStats& row = game.defence.towerCatalogue[type][0];
        sf::Sprite& tower = game.defence.buildPreviewSprites[type];
        tower = sf::Sprite();
        setSpriteTexture(tower, row.towerTexture);
        tower.setTextureRect(sf::IntRect(0, 0, row.frameWidth, row.frameHeight));
        tower.setColor(sf::Color(255, 255, 255, 125));

        sf::Sprite& range = game.defence.rangePreviewSprites[type];
        range = sf::Sprite();
        setSpriteTexture(range, row.rangeTexture, true);
        centreOrigin(range);
    }
}

void showRangeDisc(Tower& tower, const sf::Texture* disc) {
    setSpriteTexture(tower.rangeSprite, disc, true);
    if (!disc)
        tower.rangeSprite.setTextureRect(sf::IntRect());
    centreOrigin(tower.rangeSprite);
    tower.rangeSprite.setPosition(tower.x, tower.y);
}

Tower& buildTower(int type, int facing, float x, float y) {
    game.defence.towers.emplace_front();
    Tower& tower = game.defence.towers.front();
    const TowerStats& row = game.defence.towerCatalogue[type][0];

    setSpriteTexture(tower.sprite, row.towerTexture);
    // Centred on the pedestal for the frame it appears; the catalogue origin takes over
    // from the next tower step on.
    tower.sprite.setOrigin(static_cast<float>(row.frameWidth / 2),
                           static_cast<float>(row.frameHeight / 2));
    tower.sprite.setPosition(x, y);
    tower.x = x;
    tower.y = y;

    tower.type = type;
    tower.slot = game.defence.selectedSlot;
    tower.level = 0;
    tower.stats = row;

    tower.frameRect = sf::IntRect(0, 0, row.frameWidth, row.frameHeight);
    tower.sprite.setTextureRect(tower.frameRect);

    showRangeDisc(tower, row.rangeTexture);

    tower.facing = facing;
    tower.showRange = 0;
    tower.targetCount = 0;
    tower.lastFireTime = -1.0f;
    tower.firing = 0;
    tower.animFrame = 0;
    tower.lastFrameTime = game.clock.now;
    return tower;
}
