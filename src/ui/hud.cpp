// The in-game HUD: money, wave, rating, objective, buttons, wave preview and timers.
#include "shell/game_state.h"
#include "ui/ui.h"

void initHud() {}
void drawHud() {}
void drawWavePreview() {}
void setTimerHoverScale() {}
