// The wave clock: the pre-wave countdown, and the frozen time (the pause, the in-game menu, the
// lesson's holds) that the wave clock leaves out.
#include "ground/records.h"
#include "level/level.h"

#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"

#include <algorithm>

namespace {
bool (*gate)() = nullptr;
} // namespace

void gateLevel(bool (*open)()) {
    gate = open;
}

bool levelGateOpen() {
    return !gate || gate();
}

int tickCountdown() {
    // One step a second, only while the level runs and the tutorial lets it.
    const auto secondGone = [](float time) {
        return time - game.waveClock.countdownTickTime >= 1.0f;
    };
    float stepAt = 0;
    const bool stepped = levelGateOpen() && game.waveClock.paused == 0 &&
                         game.shared.screen != GameMenu && game.shared.screen != GameOptions &&
                         firstMomentWhen(game.clock, secondGone, stepAt);
    if (stepped) {
        game.waveClock.countdown -= 1;
        game.waveClock.countdownTickTime = stepAt;
        // 3, 2, 1 and 0 are announced; the unsigned view keeps the negatives of a running
        // wave silent.
        if (static_cast<unsigned>(game.waveClock.countdown) < 4u)
            playSound(SoundCountdown);
    }
    if (game.waveClock.countdown > 0)
        return 0;
    if (game.waveClock.countdownDone == 0) {
        // The wave clock starts with the last step, or at once when a press ended the countdown.
        game.waveClock.waveClockStart = stepped ? stepAt : game.clock.now;
        game.waveClock.countdownDone = 1;
        game.waveClock.pausedTotal = 0;
    }
    return 1;
}

bool countdownRunning() {
    return game.waveClock.countdown > 0;
}

// pauseStartTime marks where the frozen time not yet left out of the wave clock begins. A
// freeze that begins while another one runs keeps that mark; a freeze that ends leaves its
// time out of the wave clock and moves the mark to now, so a freeze still running counts on
// from there.

void freezeFromNow() {
    game.waveClock.pauseStartTime = game.clock.now;
}

void beginFreeze() {
    if (game.waveClock.paused == 0 && levelGateOpen())
        freezeFromNow();
}

void leaveFrozenTimeOut(int speed) {
    // A wave clock started during the freeze (the timer pressed while paused) only loses what
    // came after it; before the wave clock starts there is nothing to leave out.
    if (!countdownRunning()) {
        const float from = std::max(game.waveClock.pauseStartTime, game.waveClock.waveClockStart);
        if (game.clock.now > from)
            game.waveClock.pausedTotal += (game.clock.now - from) * static_cast<float>(speed);
    }
    freezeFromNow();
}
