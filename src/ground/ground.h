// Rules every subsystem shares: the hit tests of the buttons and the ticks the timed rules act
// on.
#pragma once

#include "ground/records.h"

// Hit tests. Centred: strict on every edge, around the sprite's centre.
bool hitCentred(const sf::Sprite& sprite, int x, int y);
// Top-left: strict on every edge, from the sprite's bounds.
bool hitTopLeft(const sf::Sprite& sprite, int x, int y);
// Top-left, accepting x on the left or right edge ("Continuer", the shop's reset).
bool hitTopLeftInclusiveX(const sf::Sprite& sprite, int x, int y);
// Top-left against a fixed box (pause 43 x 69, mute 78 x 39).
bool hitBox(float left, float top, float width, float height, int x, int y);

// Timed rules (a tower's wait and gesture, a splash's frames, the countdown, the door, the
// mopping men, the spawns, the slow) are looked at once a frame and act in the first frame in
// which their wait is over. At 60 frames a second and more that is exact enough. A longer frame
// is looked at on each tick of a 60-a-second clock that it holds (the moments at which a game
// at 60 frames a second looks, in whole milliseconds as the frame clock reads them), and a rule
// acts, and counts its next wait, from the first of them at which its wait is over: so at 20 or
// 30 frames a second nothing waits longer than it would at 60, and nothing drifts.
// The time of a tick, as the frame clock reads it.
float tickTime(long long tick);
// The first tick later than a time.
long long firstTickAfter(float time);
// Frames longer than this are looked at tick by tick (60 frames a second give 16 or 17 ms).
constexpr float longestPlainFrame = 0.0175f;
// The first moment of this frame, among the ticks it holds and now, at which `holds(moment)`:
// that moment in `at`. False when the condition does not hold by now.
template <class Condition>
bool firstMomentWhen(const GameClock& clock, Condition holds, float& at) {
    // now - frameDelta is the last frame's time, exactly (both are whole milliseconds); the
    // first frame has none.
    const float lastFrame = clock.now - clock.frameDelta;
    if (clock.frameDelta > longestPlainFrame && lastFrame >= 0) {
        for (long long tick = firstTickAfter(lastFrame);; ++tick) {
            const float time = tickTime(tick);
            if (time >= clock.now)
                break;
            if (holds(time)) {
                at = time;
                return true;
            }
        }
    }
    if (!holds(clock.now))
        return false;
    at = clock.now;
    return true;
}
