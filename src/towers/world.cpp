// The world pass: everything on the floor, back to front.
#include "towers/towers.h"

void drawWorld() {}
void queueItem(const sf::Sprite&, float, float, float) {}
void sortDrawQueue() {}
