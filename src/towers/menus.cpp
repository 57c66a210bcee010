// The pedestal and tower menus: build, upgrade, sell, previews and the info panel.
#include "towers/towers.h"

void initTowerMenus() {}
void openBuildMenu(TowerSlot&) {}
void openTowerMenu(Tower&) {}
void removeTower(Tower&) {}
void handleTowerClick() {}
void updateTowerHover(Tower&) {}
void drawTowerMenu() {}
void updateInfoPanel() {}
