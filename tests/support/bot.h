// A scripted player: plays a level through real frames (headless), buys its towers with real
// presses on the pedestals and the menu buttons by a build plan, and reports how it went.
#pragma once

#include <cstddef>
#include <vector>

// One order of a plan: from the countdown of `wave` on, as soon as the till allows, the
// pedestal at (x, y) gets a `type` tower brought to `level` (1..3: built, then upgraded one
// level at a time); level 0 sells what stands there. Orders are carried out one after another.
struct BuildOrder {
    int wave;
    float x, y;
    int type;
    int level;
};

struct BuildPlan {
    const char* name;
    // 0: the tutorial level, played with its lesson; 1..3: the levels with the lesson off.
    int level;
    const BuildOrder* orders;
    int orderCount;
};

template <std::size_t N>
constexpr BuildPlan buildPlan(const char* name, int level, const BuildOrder (&orders)[N]) {
    return {name, level, orders, static_cast<int>(N)};
}
constexpr BuildPlan noTowers(const char* name, int level) {
    return {name, level, nullptr, 0};
}

struct WaveReport {
    int customers = 0; // left the room during this wave
    int full = 0;      // of them, left with a full gauge (as last seen before their exit frame)
    float rating = 0;  // when the wave was over
};

struct PlayReport {
    bool ended = false; // the level ended (won or lost) within the time allowed
    bool won = false;
    float rating = 0;
    int stars = 0; // earned: 0 on a loss
    int money = 0;
    int ordersDone = 0;   // orders carried out to the letter
    int ordersFailed = 0; // orders the game refused (a press that did not do what was meant)
    double seconds = 0;   // scripted time played
    int padMisses = 0;    // presses the pad's pointer did not reach the point for
    std::vector<WaveReport> waves;
};

// What the player plays with: the mouse (and the keys), or a gamepad alone.
enum class Hands { Mouse, Pad };

// Plays the plan from the level's set-up to its end at this many frames per second. Every press
// is held a tenth of a second and let go as long, at any frame rate. On level 0 the player does
// what the lesson says, when it says it: once a step has been shown for readingSeconds, a press
// on the build button, the free pedestal or the tower its light falls on, or anywhere to read
// on. At speed 2 the player holds the 2 key all along (the pad's right shoulder). With the pad,
// each press steers the pointer there with the stick and presses A. Needs the game's resources
// and a display, like the frame driver.
PlayReport playLevel(const BuildPlan& plan, double framesPerSecond = 60, int speed = 1,
                     double readingSeconds = 0, Hands hands = Hands::Mouse);
