// Pause, game speed, the in-game menu and options, and the level's end overlay.
#include "persist/persist.h"
#include "shell/game_state.h"
#include "shell/shell.h"

int tickCountdown() {
    // One step a second, only while the level runs and the tutorial lets it.
    if (game.now - game.countdownTickTime >= 1.0f && tutorialGateOpen() && game.paused == 0 &&
        game.screen != GameMenu && game.screen != GameOptions) {
        game.countdown -= 1;
        game.countdownTickTime = game.now;
        // 3, 2, 1 and 0 are announced; the unsigned view keeps the negatives of a running
        // wave silent.
        if (static_cast<unsigned>(game.countdown) < 4u)
            playSound(SoundCountdown);
    }
    for (sf::Sprite& timer : game.countdownTimers)
        timer.setTextureRect(sf::IntRect(90 * (10 - game.countdown), 0, 90, 91));
    if (game.countdown > 0)
        return 0;
    if (game.countdownDone == 0) {
        game.waveClockStart = game.now;
        game.countdownDone = 1;
        game.pausedTotal = 0;
    }
    return 1;
}
void handleGameButtons() {}
void handleGameMenuClick() {}
void handleGameOptionsClick() {}
void drawGameMenu() {}
void drawGameOptions() {}
void drawLevelEnd() {}
void initGameMenus() {}
