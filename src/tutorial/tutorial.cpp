// The guided first level, the level-2 explanation, the shop lesson and the spotlight.
#include "tutorial/tutorial.h"
#include "shell/game_state.h"

void initTutorial() {}
void tutorialStepDisplay() {}
void tutorialClick() {}
bool level2Explanation() {
    return false;
}
void supplierTutorialDisplay() {}
void supplierTutorialClick() {}
void setSpotlight(float, float, float) {}
void drawTutorialLayer() {}
