// The record of the towers: the catalogue, the towers and projectiles of the level, the pedestal
// menus. Each is written by this folder and the folders above it; the layers below only read it
// (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Towers.
struct TowersRecord {
    TowerStats towerCatalogue[TowerTypeCount][3];
    std::list<Tower> towers;           // newest first
    std::list<Projectile> projectiles; // newest first
    int towerMenu = Closed;
    Link<TowerSlot> selectedSlot;
    Link<Tower> selectedTower;
    int towerInfoVisible = 0;
    sf::Sprite buildButtons[TowerTypeCount];
    sf::Sprite sellButton;
    sf::Sprite upgradeButton;
    sf::Text priceText;
    sf::Sprite buildPreviewSprites[TowerTypeCount];
    sf::Sprite rangePreviewSprites[TowerTypeCount];
    int buildChoiceHovered[TowerTypeCount] = {}; // the build menu's button under the pointer
    int refusedPrice = -1; // the price last refused: a build button's type, or UpgradePrice
    float refusedAt = -10; // when (the price shakes a moment)
    Link<Customer> firstTarget;
    Link<Customer> secondTarget;
    Link<Customer> thirdTarget;
    const sf::Texture* burgerShotTexture = nullptr;
    sf::Sprite infoPanel;
    const sf::Texture* infoPanelTexture = nullptr;  // "InfoTour.png"
    const sf::Texture* infoPanel2Texture = nullptr; // "InfoTour2.png"
    sf::Text infoTexts[5];                          // name, level, feed, interval, range

    int maxTowerLevel[TowerTypeCount] = {1, 1, 1};
};
