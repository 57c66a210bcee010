// Towers: the catalogue, the pedestal menus, targeting and firing, projectiles, world pass.
#pragma once

#include "ground/records.h"
#include "render/render.h"

// Fills the nine catalogue rows and loads their sheets and range discs.
void loadTowerCatalogue();
// Creates the build, sell and upgrade buttons, the price text and the info panel texts.
void initTowerMenus();
// Creates the translucent build previews and their range discs.
void initBuildPreviews();
// Builds a tower on selectedSlot and links it at the head of the tower list.
Tower& buildTower(int type, int facing, float x, float y);
// Shows a range disc picture (or none) on a tower, centred on its pedestal.
void showRangeDisc(Tower& tower, const sf::Texture* disc);
// Places the build buttons around a pedestal and opens the build menu on it (click sound;
// consumes the press).
void openBuildMenu(TowerSlot& slot);
// Places the sell (and upgrade) buttons at a tower and opens its menu by its level and the
// unlocks (click sound, info panel shown; consumes the press).
void openTowerMenu(Tower& tower);
// The free pedestal under the pointer (a flat box around its centre), or none.
TowerSlot* freePedestalUnderPointer();
// The tower under the pointer (the lowest part of its picture), or none.
Tower* towerUnderPointer();
// What a press on a build button (or its price) did.
enum class BuildPress { Missed, Refused, Built };
// Builds a `type` tower on the open build menu's pedestal when the pointer is on its button or
// its price and the till can pay (or, `onCredit`, even when it cannot: the money may go below
// 0); a price it cannot pay is refused (a short sound, the price shakes).
BuildPress buildChosenTower(int type, bool onCredit);
// The refused price that stands for the upgrade button's (the build buttons' are their type).
constexpr int UpgradePrice = TowerTypeCount;
// The price label under a menu button, placed as it is drawn: centred under the button, in
// the price's style (a light outline keeps it readable, red or black, on any floor).
sf::Text priceLabel(const sf::Text& style, int amount, const sf::Sprite& button);
// How far sideways a refused price stands, `since` seconds after the refusal (0 once still).
float refusalShake(float since);
// Whether a tower is still standing (a sold tower's address is never used again).
bool towerExists(const Tower* tower);
// Removes a tower (sold), frees its pedestal; nothing keeps pointing at it.
void removeTower(Tower& tower);

// Closes the open build or tower menu (nothing of it stays drawn: its range disc, its panel).
void closeTowerMenu();
// Whether a button of the open tower menu lies under the point: a press there is the menu's,
// whatever is drawn under it.
bool onTowerMenuButton(int x, int y);
// The tower press handler of the level screen.
void handleTowerClick();
// Hover feedback of one tower (upgrade preview, range disc, info panel visibility).
void updateTowerHover(Tower& tower);
// The build menu's hovered choice: its tower and reach on the pedestal, its figures on the panel.
void previewTowerChoice();
// Fills the info panel's picture and texts for selectedTower.
void updateInfoPanel();
// Draws the open tower menu, previews and prices.
// A price the money does not cover shows red, but for the tower of type `paidFor` (-1: none).
void drawTowerMenu(const GameSight& state, Renderer& renderer, int paidFor);
// Draws the tower info panel and its five texts (the HUD calls it while towerInfoVisible).
void drawTowerInfoPanel(const GameSight& state, Renderer& renderer);

// A tower's range: the ellipse inscribed in its range disc, read once per tower and pass (no
// disc picture: nobody is in range).
struct RangeEllipse {
    float x = 0, y = 0;
    float halfWidthSquared = 0, halfHeightSquared = 0;

    explicit RangeEllipse(const Tower& tower) : x(tower.x), y(tower.y) {
        const sf::FloatRect bounds = tower.rangeSprite.getGlobalBounds();
        if (bounds.width <= 0 || bounds.height <= 0)
            return; // no disc picture: nobody is in range
        halfWidthSquared = (bounds.width / 2) * (bounds.width / 2);
        halfHeightSquared = (bounds.height / 2) * (bounds.height / 2);
    }
    bool contains(float px, float py) const {
        if (halfWidthSquared <= 0 || halfHeightSquared <= 0)
            return false;
        const float dx = px - x, dy = py - y;
        return dx * dx / halfWidthSquared + dy * dy / halfHeightSquared <= 1.0f;
    }
};

// Lets the towers hear of customers coming and going: a newcomer is everyone's target until the
// towers choose again; a customer gone is nobody's, nor any projectile's.
void watchCustomersForTowers();
// Ranks the hungry customers in a tower's range by nearness to goalPoint into firstTarget,
// secondTarget and thirdTarget; returns how many candidates there were.
int chooseTargets(const Tower& tower);
// The per-frame tower step: refresh, count, attack, animate, info panel.
void updateTowers();
// Moves burgers and animates splashes, then resolves impacts and the slow.
void updateProjectiles();
void resolveImpacts();
// Creates one projectile at the head of the projectile list.
Projectile& spawnProjectile(const sf::Texture* texture, int frameWidth, float angle, float range,
                            int frameHeight, int feed, int kind, float lifetime, int facing,
                            float x, float y, float originX, float originY);

// The depth-sorted pass of everything on the floor.
void drawWorld(const GameSight& state, Renderer& renderer);
