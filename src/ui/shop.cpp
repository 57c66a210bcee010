// The supplier shop.
#include "shell/game_state.h"
#include "ui/ui.h"

void initShop() {
    for (int t = 0; t < TowerTypeCount; ++t) {
        game.upgradeUnlocked[t][1] = 1;
        game.upgradeUnlocked[t][2] = game.upgradeUnlocked[t][3] = 0;
    }
    game.stars = 0;
}
void updateShop() {}
void drawShop() {}
void resetShop() {}
