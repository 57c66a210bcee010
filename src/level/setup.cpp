// Map set-up: pedestals, decorations, path images and the per-level reset.
#include "level/level.h"

void loadLevelAssets() {}
void clearLevel() {}
void setupMap1() {}
void setupMap2() {}
void setupMap3() {}
void setupCurrentLevel() {}
void resetLevelState() {}
void addSlot(int, float, float) {}
void addDecoration(const sf::Texture*, int, int, int, float, float) {}
void animateDecorations() {}
