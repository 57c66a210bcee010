// The start-up splash and the animated logo.
#include "shell/game_state.h"
#include "shell/shell.h"

void initIntro() {}
void updateSplash() {}
void drawSplash() {}
void drawLogoScreen() {}
