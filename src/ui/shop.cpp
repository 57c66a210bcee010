// The supplier shop: stars won on the levels unlock the second and third level of each tower.
#include "ground/records.h"
#include "persist/records.h"
#include "towers/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int level2Price = 3, level3Price = 6;
constexpr int padlockFrameWidth = 110, padlockFrameHeight = 135;
constexpr int lastPadlockFrame = 7;
constexpr float padlockScale = 0.5f, padlockHoveredScale = 0.7f;

// Picture file and column of each tower type, in TowerType order.
constexpr const char* pictureFormats[TowerTypeCount] = {
    "../resources/textures/Menu/Frite %d.png",
    "../resources/textures/Menu/Burger %d.png",
    "../resources/textures/Menu/Soda %d.png",
};
constexpr float pictureColumns[TowerTypeCount] = {1616, 1193, 1402};
constexpr float pictureRows[4] = {0, 190, 380, 570}; // by level 1..3
// Padlock centres of level 2 (and, 195 lower, level 3), in TowerType order.
constexpr float padlockColumns[TowerTypeCount] = {1691, 1271, 1481};
constexpr float padlockRows[2] = {450, 645};
// A price tag (76 x 34) hangs on the middle of the top edge of the picture it buys.
constexpr int tagWidth = 76, tagHeight = 34;
constexpr float tagOverlap = 19;

const sf::IntRect unlockedFrame(0, 0, 153, 158), lockedFrame(153, 0, 153, 158);

bool padlockUnderMouse(int padlock) {
    const sf::Vector2f centre = game.shop.shopPadlocks[padlock].getPosition();
    return std::abs(static_cast<float>(game.shared.input.mouseX) - centre.x) < 55 &&
           std::abs(static_cast<float>(game.shared.input.mouseY) - centre.y) < 67;
}

void showPadlockFrame(int padlock) {
    game.shop.shopPadlocks[padlock].setTextureRect(
        sf::IntRect(padlockFrameWidth * game.shop.padlockFrames[padlock], 0, padlockFrameWidth,
                    padlockFrameHeight));
}

void hideBoughtPadlocks() {
    for (int t = 0; t < TowerTypeCount; ++t) {
        if (game.progress.upgradeUnlocked[t][2] != 0)
            game.shop.shopPadlocks[t].setTextureRect(sf::IntRect(0, 0, 0, 0));
        if (game.progress.upgradeUnlocked[t][3] != 0)
            game.shop.shopPadlocks[3 + t].setTextureRect(sf::IntRect(0, 0, 0, 0));
    }
}

void showUnlockedPictures() {
    for (int t = 0; t < TowerTypeCount; ++t) {
        for (int level = 1; level <= 3; ++level) {
            if (game.progress.upgradeUnlocked[t][level] != 0) {
                game.shop.upgradePictures[t][level].setTextureRect(unlockedFrame);
                game.defence.maxTowerLevel[t] = level;
            } else {
                game.shop.upgradePictures[t][level].setTextureRect(lockedFrame);
            }
        }
    }
}

void scalePadlocks() {
    for (int padlock = 0; padlock < 6; ++padlock) {
        const int needed = padlock < 3 ? level2Price : level3Price;
        const bool grows = padlockUnderMouse(padlock) && game.shared.clickLatch == 0 &&
                           game.progress.stars >= needed;
        const float scale = grows ? padlockHoveredScale : padlockScale;
        game.shop.shopPadlocks[padlock].setScale(scale, scale);
    }
}

// One kind of unlocking (level 2 or level 3): its start, padlock animation and payment.
struct Unlocking {
    int& state;
    int& target;
    int firstPadlock; // 0 for level 2, 3 for level 3
    int level;
    int price;
    int otherPrice; // held back while the other kind's unlocking has not paid yet
    int otherState;
};

void runUnlocking(const Unlocking& u) {
    // Stars promised to an unlocking still opening are not spent twice.
    const int available = addStars(game.progress.stars, u.otherState != 0 ? -u.otherPrice : 0);
    for (int t = 0; t < TowerTypeCount; ++t) {
        const int padlock = u.firstPadlock + t;
        const bool previousOwned = u.level == 2 || game.progress.upgradeUnlocked[t][2] != 0;
        if (padlockUnderMouse(padlock) && game.shared.clickLatch == 0 && available >= u.price &&
            u.state == 0 && game.shared.input.leftDown && previousOwned &&
            game.progress.upgradeUnlocked[t][u.level] == 0) {
            u.target = padlock;
            u.state = 1;
            game.shared.clickLatch = 1;
        }
    }
    if (u.state == 1 && game.clock.now - game.shop.unlockStepTime > 0.1f) {
        int& frame = game.shop.padlockFrames[u.target];
        if (frame < lastPadlockFrame) {
            frame += 1;
            showPadlockFrame(u.target);
        } else {
            u.state = 2;
            game.shop.shopPadlocks[u.target].setTextureRect(
                sf::IntRect(padlockFrameWidth * frame, 0, 0, 0));
        }
        game.shop.unlockStepTime = game.clock.now;
    }
    if (u.state == 2) {
        u.state = 0;
        const int t = u.target - u.firstPadlock;
        // The player may have left mid-opening and deleted the game, or refunded the level 2
        // under a level 3 being opened: then the purchase is called off, nothing is paid.
        if (game.progress.stars < u.price ||
            (u.level == 3 && game.progress.upgradeUnlocked[t][2] == 0)) {
            game.shop.padlockFrames[u.target] = 0;
            showPadlockFrame(u.target);
            return;
        }
        game.progress.stars = addStars(game.progress.stars, -u.price);
        game.progress.upgradeUnlocked[t][u.level] = 1;
        writeSave();
    }
}

} // namespace

void initShop() {
    char path[50];
    for (int t = 0; t < TowerTypeCount; ++t) {
        for (int level = 1; level <= 3; ++level) {
            std::snprintf(path, sizeof path, pictureFormats[t], level);
            game.shop.upgradePictures[t][level] =
                makeSprite(loadTexture(path), pictureColumns[t], pictureRows[level]);
            game.shop.upgradePictures[t][level].setTextureRect(level == 1 ? unlockedFrame
                                                                          : lockedFrame);
        }
        game.progress.upgradeUnlocked[t][1] = 1;
        game.progress.upgradeUnlocked[t][2] = game.progress.upgradeUnlocked[t][3] = 0;
    }
    game.progress.stars = 0;
    game.shop.unlockState2 = game.shop.unlockState3 = 0;
    game.shop.unlockTarget2 = 0;
    game.shop.unlockTarget3 = 3;
    game.shop.unlockStepTime = 0;
    const sf::Texture* padlockTexture =
        loadTexture("../resources/textures/Menu/Cadenas Sheets.png");
    for (int padlock = 0; padlock < 6; ++padlock) {
        sf::Sprite& sprite = game.shop.shopPadlocks[padlock];
        sprite = makeSprite(padlockTexture, padlockColumns[padlock % 3], padlockRows[padlock / 3]);
        if (padlockTexture) {
            const sf::Vector2u size = textureSize(padlockTexture);
            sprite.setOrigin(static_cast<float>(size.x) / 14, static_cast<float>(size.y) / 2);
        }
        sprite.setScale(padlockScale, padlockScale);
        game.shop.padlockFrames[padlock] = 0;
        showPadlockFrame(padlock);
    }
    const sf::Texture* tags = loadTexture("../resources/textures/Menu/Prix.png");
    for (int padlock = 0; padlock < 6; ++padlock) {
        const int t = padlock % 3, level = 2 + padlock / 3;
        const float x =
            pictureColumns[t] + static_cast<float>((unlockedFrame.width - tagWidth) / 2);
        game.shop.priceTags[padlock] =
            makeSprite(tags, x, pictureRows[level] + tagOverlap - tagHeight);
        game.shop.priceTags[padlock].setTextureRect(
            sf::IntRect(tagWidth * (level - 2), 0, tagWidth, tagHeight));
    }
    game.shop.shopResetButton =
        makeSprite(loadTexture("../resources/textures/Menu/B Reset.png"), 1211, 752);
    game.shop.shopResetLabel = makeText("", 40, sf::Color::Black, 1371, 765);
    labelShop();
}

void labelShop() {
    game.shop.shopResetLabel.setString(utf8(tr("Réinitialiser")));
}

void updateShop() {
    hideBoughtPadlocks();
    showUnlockedPictures();
    scalePadlocks();
    runUnlocking({game.shop.unlockState2, game.shop.unlockTarget2, 0, 2, level2Price, level3Price,
                  game.shop.unlockState3});
    runUnlocking({game.shop.unlockState3, game.shop.unlockTarget3, 3, 3, level3Price, level2Price,
                  game.shop.unlockState2});
}

void resetShop() {
    if (!hitTopLeftInclusiveX(game.shop.shopResetButton, game.shared.input.mouseX,
                              game.shared.input.mouseY))
        return;
    for (int t = 0; t < TowerTypeCount; ++t) {
        for (int level = 1; level <= 3; ++level) {
            if (game.progress.upgradeUnlocked[t][level] != 0)
                game.progress.stars = addStars(game.progress.stars, level == 2   ? level2Price
                                                                    : level == 3 ? level3Price
                                                                                 : 0);
            game.progress.upgradeUnlocked[t][level] = 0;
        }
        game.progress.upgradeUnlocked[t][1] = 1;
        game.defence.maxTowerLevel[t] = 0;
    }
    for (int padlock = 0; padlock < 6; ++padlock) {
        game.shop.padlockFrames[padlock] = 0;
        game.shop.shopPadlocks[padlock].setTextureRect(
            sf::IntRect(0, 0, padlockFrameWidth, padlockFrameHeight));
        game.shop.shopPadlocks[padlock].setScale(padlockScale, padlockScale);
    }
}
