// Pause, game speed, the in-game menu and options, and the level's end overlay.
#include "shell/game_state.h"
#include "shell/shell.h"

int tickCountdown() {
    return 0;
}
void handleGameButtons() {}
void handleGameMenuClick() {}
void handleGameOptionsClick() {}
void drawGameMenu() {}
void drawGameOptions() {}
void drawLevelEnd() {}
void initGameMenus() {}
