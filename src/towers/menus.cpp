// The pedestal and tower menus: build, upgrade, sell, previews and the info panel.
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "towers/records.h"
#include "towers/towers.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "persist/persist.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

// Bounded formatting into a fixed text buffer: a longer result is cut, never overflows.
template <std::size_t N>
__attribute__((format(printf, 2, 3))) void formatInto(char (&buffer)[N], const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    if (std::vsnprintf(buffer, N, format, args) < 0)
        buffer[0] = '\0';
    va_end(args);
}

// A pedestal answers to presses in a flat box around its centre.
constexpr float pedestalHalfWidth = 52;
constexpr float pedestalHalfHeight = 30;
// The buttons stand this far left and right of the pedestal or tower.
constexpr float buttonSpread = 104;
// Only the lowest part of a tower picture answers to presses (the rest is mostly sky).
constexpr float towerPressHeight = 204;

sf::Sprite makeCentredButton(const char* path) {
    sf::Sprite button = makeSprite(loadTexture(path));
    const sf::FloatRect local = button.getLocalBounds();
    button.setOrigin(local.width / 2, local.height / 2);
    return button;
}

void centreRangeDisc(sf::Sprite& sprite) {
    const sf::FloatRect bounds = sprite.getLocalBounds();
    sprite.setOrigin(bounds.width / 2, bounds.height / 2);
}

bool pointerOn(const sf::Sprite& button) {
    return hitCentred(button, game.shared.input.mouseX, game.shared.input.mouseY);
}

// A press on a menu button's price is a press on the button.
bool onButtonOrPrice(const sf::Sprite& button, int amount, int x, int y) {
    return hitCentred(button, x, y) || priceLabel(game.defence.priceText, amount, button)
                                           .getGlobalBounds()
                                           .contains(static_cast<float>(x), static_cast<float>(y));
}

bool pointerOnButtonOrPrice(const sf::Sprite& button, int amount) {
    return onButtonOrPrice(button, amount, game.shared.input.mouseX, game.shared.input.mouseY);
}

// A price the till cannot pay says so: a short sound, and the price shakes a moment.
void refusePrice(int which) {
    playSound(SoundRefused);
    game.defence.refusedPrice = which;
    game.defence.refusedAt = game.clock.now;
}

int upgradeCost(const Tower& tower) {
    return game.defence
        .towerCatalogue[tower.type][game.defence.towerMenu == UpgradeToLevel2 ? 1 : 2]
        .cost;
}

// The tower the open tower menu belongs to, or none when it has gone.
Tower* menuTower() {
    return towerExists(game.defence.selectedTower) ? game.defence.selectedTower : nullptr;
}

void setPanelPicture(const sf::Texture* picture) {
    if (game.defence.infoPanel.getTexture() != picture)
        setSpriteTexture(game.defence.infoPanel, picture, true);
}

void setInfoText(int index, const char* text) {
    game.defence.infoTexts[index].setString(utf8(text));
}

// The panel for one catalogue row (single column): what a tower of that level does.
void fillSingleColumnPanel(const TowerStats& row, int level) {
    char name[30], levelText[30], feed[30], interval[40], range[40];
    formatInto(name, "%s", tr(row.name));
    formatInto(levelText, tr("Niv.%d"), level + 1);
    formatInto(feed, "%d", row.feed);
    formatInto(interval, "%.2fs", row.fireInterval);
    formatInto(range, "%.2f", row.range);
    setPanelPicture(game.defence.infoPanelTexture);
    setInfoText(0, name);
    setInfoText(1, levelText);
    setInfoText(2, feed);
    setInfoText(3, interval);
    setInfoText(4, range);
}

// The panel comparing the current level with the next one (two columns).
void fillTwoColumnPanel(const TowerStats& now, const TowerStats& next, int level) {
    char name[30], levelText[30], feed[30], interval[40], range[40];
    formatInto(name, "%s", tr(now.name));
    formatInto(levelText, tr("Niv.%d                Niv.%d"), level + 1, level + 2);
    formatInto(feed, "%d                      %d", now.feed, next.feed);
    formatInto(interval, "%.2fs               %.2fs", now.fireInterval, next.fireInterval);
    formatInto(range, "%.2f                %.2f", now.range, next.range);
    setPanelPicture(game.defence.infoPanel2Texture);
    setInfoText(0, name);
    setInfoText(1, levelText);
    setInfoText(2, feed);
    setInfoText(3, interval);
    setInfoText(4, range);
}

bool pedestalPressed(const TowerSlot& slot) {
    const float x = static_cast<float>(game.shared.input.mouseX),
                y = static_cast<float>(game.shared.input.mouseY);
    return slot.x - pedestalHalfWidth < x && x < slot.x + pedestalHalfWidth &&
           slot.y - pedestalHalfHeight < y && y < slot.y + pedestalHalfHeight;
}

bool towerPressed(const Tower& tower) {
    const TowerStats& s = tower.stats;
    const float x = static_cast<float>(game.shared.input.mouseX),
                y = static_cast<float>(game.shared.input.mouseY);
    const float left = tower.x - s.originX + s.hoverBox.left;
    const float bottom = tower.y - s.originY + static_cast<float>(s.frameHeight);
    return left < x && x < left + s.hoverBox.width && bottom - towerPressHeight < y && y < bottom;
}

bool towerHovered(const Tower& tower) {
    const TowerStats& s = tower.stats;
    const float x = static_cast<float>(game.shared.input.mouseX),
                y = static_cast<float>(game.shared.input.mouseY);
    const float left = tower.x - s.originX + s.hoverBox.left;
    const float top = tower.y - s.originY + s.hoverBox.top;
    return left < x && x < left + s.hoverBox.width && top < y && y < top + s.hoverBox.height;
}

// The build buttons' presses; whether a price was refused.
bool pressBuildButtons() {
    bool refused = false;
    for (int type = 0; type < TowerTypeCount; ++type) {
        if (game.shared.clickLatch != 0)
            break;
        const BuildPress press = buildChosenTower(type, false);
        if (press != BuildPress::Missed)
            game.shared.clickLatch = 1;
        refused = refused || press == BuildPress::Refused;
    }
    return refused;
}

void upgradeSelectedTower(int target) {
    Tower* tower = menuTower();
    if (!tower)
        return;
    const TowerStats& next = game.defence.towerCatalogue[tower->type][target];
    if (game.rating.money < next.cost ||
        game.progress.upgradeUnlocked[tower->type][target + 1] == 0)
        return;
    const int previousHeight = tower->stats.frameHeight;
    tower->level = target;
    tower->stats = next;
    game.rating.money -= next.cost;
    int row = 0;
    if (tower->type != Soda) {
        if (tower->facing >= 0 && tower->facing <= 3)
            row = tower->facing;
        else if (previousHeight > 0)
            row = tower->frameRect.top / previousHeight; // a turning tower keeps its heading
    }
    setSpriteTexture(tower->sprite, next.towerTexture);
    tower->sprite.setOrigin(next.originX, next.originY);
    tower->frameRect = sf::IntRect(0, row * next.frameHeight, next.frameWidth, next.frameHeight);
    tower->sprite.setTextureRect(tower->frameRect);
    tower->sprite.setPosition(tower->x, tower->y);
}

// The tower menu's presses; whether a price was refused.
bool pressTowerButtons() {
    Tower* tower = menuTower();
    if (!tower)
        return false;
    if (pointerOnButtonOrPrice(game.defence.sellButton, tower->stats.saleValue) &&
        game.shared.clickLatch == 0) {
        game.shared.clickLatch = 1;
        game.rating.money += tower->stats.saleValue;
        removeTower(*tower);
        return false;
    }
    if (game.defence.towerMenu == SellOnly)
        return false;
    if (pointerOnButtonOrPrice(game.defence.upgradeButton, upgradeCost(*tower)) &&
        game.shared.clickLatch == 0) {
        game.shared.clickLatch = 1;
        if (game.rating.money < upgradeCost(*tower)) {
            refusePrice(UpgradePrice);
            return true;
        }
        upgradeSelectedTower(game.defence.towerMenu == UpgradeToLevel2 ? 1 : 2);
    }
    return false;
}

// The towers and what points at them or their pedestals go with the level's things.
void letGoOfLevelTowers() {
    game.defence.selectedTower = nullptr;
    game.defence.towers.clear();
    game.defence.selectedSlot = nullptr;
    game.defence.projectiles.clear();
    game.defence.towerMenu = Closed;
    game.defence.towerInfoVisible = 0;
}

} // namespace

void initTowerMenus() {
    whenLevelClears(letGoOfLevelTowers);
    game.defence.towerMenu = Closed;
    game.defence.selectedSlot = nullptr;
    game.defence.selectedTower = nullptr;
    game.defence.towerInfoVisible = 0;
    game.defence.buildButtons[Fries] =
        makeCentredButton("../resources/textures/hud/create frite tower.png");
    game.defence.buildButtons[Burger] =
        makeCentredButton("../resources/textures/hud/create burger tower.png");
    game.defence.buildButtons[Soda] =
        makeCentredButton("../resources/textures/hud/create soda tower.png");
    game.defence.sellButton = makeCentredButton("../resources/textures/hud/delete tower.png");
    game.defence.upgradeButton = makeCentredButton("../resources/textures/hud/upgrade tower.png");
    // A light outline: the price reads on the carpet and on the floor, black or red.
    game.defence.priceText = makeText("", 30, sf::Color::Black);
    game.defence.priceText.setOutlineColor(sf::Color(255, 246, 224));
    game.defence.priceText.setOutlineThickness(4);

    game.defence.infoTexts[0] = makeText("", 30, sf::Color::White, 1010, 890);
    game.defence.infoTexts[1] = makeText("", 25, sf::Color::Black, 1260, 820);
    game.defence.infoTexts[2] = makeText("", 25, sf::Color::Black, 1300, 875);
    game.defence.infoTexts[3] = makeText("", 25, sf::Color::Black, 1280, 945);
    game.defence.infoTexts[4] = makeText("", 25, sf::Color::Black, 1250, 1005);
}

void openBuildMenu(TowerSlot& slot) {
    playSound(SoundClick);
    game.defence.towerMenu = BuildMenu;
    const float friesHeight = game.defence.buildButtons[Fries].getGlobalBounds().height;
    game.defence.buildButtons[Fries].setPosition(slot.x, slot.y - 105 - friesHeight);
    game.defence.buildButtons[Burger].setPosition(slot.x - buttonSpread, slot.y - 60);
    game.defence.buildButtons[Soda].setPosition(slot.x + buttonSpread, slot.y - 60);
    game.defence.selectedSlot = &slot;
    game.shared.clickLatch = 1;
}

void openTowerMenu(Tower& tower) {
    playSound(SoundClick);
    game.defence.towerInfoVisible = 1;
    const int type = tower.type;
    if (tower.level == 0)
        game.defence.towerMenu =
            game.progress.upgradeUnlocked[type][2] != 0 ? UpgradeToLevel2 : SellOnly;
    else if (tower.level == 1)
        game.defence.towerMenu =
            game.progress.upgradeUnlocked[type][3] != 0 ? UpgradeToLevel3 : SellOnly;
    else
        game.defence.towerMenu = SellOnly;
    const float buttonY = tower.y - tower.stats.originY + tower.stats.frameHeight / 2;
    game.defence.sellButton.setPosition(tower.x - buttonSpread, buttonY);
    if (game.defence.towerMenu != SellOnly)
        game.defence.upgradeButton.setPosition(tower.x + buttonSpread, buttonY);
    game.defence.selectedTower = &tower;
    game.shared.clickLatch = 1;
}

TowerSlot* freePedestalUnderPointer() {
    for (TowerSlot& slot : game.level.slots)
        if (slot.occupied == 0 && pedestalPressed(slot))
            return &slot;
    return nullptr;
}

Tower* towerUnderPointer() {
    for (Tower& tower : game.defence.towers)
        if (towerPressed(tower))
            return &tower;
    return nullptr;
}

BuildPress buildChosenTower(int type, bool onCredit) {
    TowerSlot* slot = game.defence.selectedSlot;
    const int cost = game.defence.towerCatalogue[type][0].cost;
    // A pedestal that already carries a tower never gets a second one.
    if (game.defence.towerMenu != BuildMenu || !slot || slot->occupied ||
        !pointerOnButtonOrPrice(game.defence.buildButtons[type], cost))
        return BuildPress::Missed;
    if (!onCredit && game.rating.money < cost) {
        refusePrice(type);
        return BuildPress::Refused;
    }
    buildTower(type, slot->facing, slot->x, slot->y);
    slot->occupied = 1;
    game.rating.money -= cost;
    return BuildPress::Built;
}

sf::Text priceLabel(const sf::Text& style, int amount, const sf::Sprite& button) {
    char price[16];
    formatInto(price, "%d", amount);
    sf::Text text = style;
    text.setString(price);
    text.setOrigin(text.getLocalBounds().width / 2, 0);
    const sf::Vector2f at = button.getPosition();
    text.setPosition(at.x, at.y + button.getGlobalBounds().height / 2);
    return text;
}

float refusalShake(float since) {
    constexpr float length = 0.4f, reach = 7, turnsPerSecond = 14;
    if (since < 0 || since >= length)
        return 0;
    return reach * (1 - since / length) * std::sin(since * turnsPerSecond * 2 * 3.14159265f);
}

bool towerExists(const Tower* tower) {
    if (!tower)
        return false;
    for (const Tower& standing : game.defence.towers)
        if (&standing == tower)
            return true;
    return false;
}

void removeTower(Tower& tower) {
    if (tower.slot)
        tower.slot->occupied = 0;
    if (game.defence.selectedTower == &tower) {
        game.defence.selectedTower = nullptr;
        if (game.defence.towerMenu != BuildMenu)
            game.defence.towerMenu = Closed;
        game.defence.towerInfoVisible = 0;
    }
    for (auto it = game.defence.towers.begin(); it != game.defence.towers.end(); ++it) {
        if (&*it == &tower) {
            game.defence.towers.erase(it);
            return;
        }
    }
}

void closeTowerMenu() {
    if (Tower* selected = menuTower())
        selected->showRange = 0;
    game.defence.towerMenu = Closed;
    game.defence.towerInfoVisible = 0;
}

bool onTowerMenuButton(int x, int y) {
    const Tower* tower = menuTower();
    switch (game.defence.towerMenu) {
    case BuildMenu:
        if (!game.defence.selectedSlot)
            return false;
        for (int type = 0; type < TowerTypeCount; ++type)
            if (onButtonOrPrice(game.defence.buildButtons[type],
                                game.defence.towerCatalogue[type][0].cost, x, y))
                return true;
        return false;
    case UpgradeToLevel2:
    case UpgradeToLevel3:
        if (tower && onButtonOrPrice(game.defence.upgradeButton, upgradeCost(*tower), x, y))
            return true;
        return tower && onButtonOrPrice(game.defence.sellButton, tower->stats.saleValue, x, y);
    case SellOnly:
        return tower && onButtonOrPrice(game.defence.sellButton, tower->stats.saleValue, x, y);
    default:
        return false;
    }
}

void handleTowerClick() {
    if (game.shared.clickLatch)
        return;
    bool menuOpened = false;

    if (TowerSlot* slot = freePedestalUnderPointer()) {
        openBuildMenu(*slot);
        menuOpened = true;
    }

    // A refused price keeps its menu open: the player sees why nothing was bought.
    bool refused = false;
    if (game.defence.towerMenu == BuildMenu)
        refused = pressBuildButtons();
    else if (game.defence.towerMenu == UpgradeToLevel2 ||
             game.defence.towerMenu == UpgradeToLevel3 || game.defence.towerMenu == SellOnly)
        refused = pressTowerButtons();

    if (Tower* tower = game.shared.clickLatch == 0 ? towerUnderPointer() : nullptr) {
        openTowerMenu(*tower);
        menuOpened = true;
    }

    game.shared.clickLatch = 1;
    if (!menuOpened && !refused)
        closeTowerMenu();
}

void updateTowerHover(Tower& tower) {
    Tower* selected = menuTower();
    const bool upgradeMenu =
        game.defence.towerMenu == UpgradeToLevel2 || game.defence.towerMenu == UpgradeToLevel3;
    if (selected && upgradeMenu && pointerOn(game.defence.upgradeButton) && selected->level < 2) {
        // The next level's reach, shown (and used for targeting) while the player hesitates.
        selected->showRange = 1;
        const sf::Texture* nextDisc =
            game.defence.towerCatalogue[selected->type][selected->level + 1].rangeTexture;
        if (selected->rangeSprite.getTexture() != nextDisc)
            showRangeDisc(*selected, nextDisc);
    } else if (selected && selected->rangeSprite.getTexture() != selected->stats.rangeTexture) {
        showRangeDisc(*selected, selected->stats.rangeTexture);
    }

    if (selected && game.defence.towerMenu != Closed && game.defence.towerMenu != BuildMenu)
        selected->showRange = 1;

    const bool hovered = towerHovered(tower);
    if (hovered && game.defence.towerMenu == Closed) {
        tower.showRange = 1;
        centreRangeDisc(tower.rangeSprite);
    } else if ((!hovered && game.defence.towerMenu == Closed) ||
               game.defence.towerMenu == BuildMenu) {
        tower.showRange = 0;
        game.defence.towerInfoVisible = 0;
    }
}

void previewTowerChoice() {
    for (int& hovered : game.defence.buildChoiceHovered)
        hovered = 0;
    const TowerSlot* slot = game.defence.selectedSlot;
    if (game.defence.towerMenu != BuildMenu || !slot)
        return;
    for (int type = 0; type < TowerTypeCount; ++type) {
        if (!pointerOn(game.defence.buildButtons[type]))
            continue;
        // The tower and its reach, seen on the pedestal before buying; the panel tells its figures.
        game.defence.buildChoiceHovered[type] = 1;
        const TowerStats& row = game.defence.towerCatalogue[type][0];
        game.defence.buildPreviewSprites[type].setOrigin(row.originX, row.originY);
        game.defence.buildPreviewSprites[type].setPosition(slot->x, slot->y);
        game.defence.rangePreviewSprites[type].setPosition(slot->x, slot->y);
        fillSingleColumnPanel(row, 0);
    }
}

void updateInfoPanel() {
    Tower* tower = menuTower();
    if (game.defence.towerInfoVisible != 1 || !tower)
        return;
    const int level = tower->level;
    const TowerStats* rows = game.defence.towerCatalogue[tower->type];
    if (level + 1 < game.defence.maxTowerLevel[tower->type] && level + 1 < 3)
        fillTwoColumnPanel(rows[level], rows[level + 1], level);
    else
        fillSingleColumnPanel(rows[level], level);
}
