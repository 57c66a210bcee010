// The frame: the window, start-up, and the cycle every frame runs in this order: input (one
// sample of the player's input, then the presses by screen), update (the clock, the simulation,
// then the late rules), draw (const: it changes nothing the game plays by), present.
#pragma once

#include "frame/window.h"
#include "ground/records.h"
#include "render/render.h"

#include <string>

struct Platform;
namespace sf {
class RenderTarget;
class RenderWindow;
} // namespace sf

// How the level under the current screen is shown: running, frozen under the in-game menu, or
// under the in-game options (whose countdown is shown but does not step).
enum class LevelView { Running, Frozen, Options };

// Opens the window, starts the game and runs frames until the player closes it; returns 0.
int runGame();
// Gives every record of the game its default (a new game for tests and tools).
void resetGame();
// Loads every resource once and gives every field its default, save file last.
void initGame();

// One whole frame: input, update, late update, then draw and present unless `draw` is false
// (headless frames: the game plays exactly the same without being drawn).
void runFrame(Platform& platform, sf::RenderWindow* window, bool draw = true);
// The three phases, in frame order.
void handleInput();
void updateGame();
void lateUpdate();
void drawFrame(const GameSight& state, Renderer& renderer);
// Speaks that language from now on (French when its catalogue cannot be read): its texts, and
// at once its pictures with words in them. Whether the language spoken changed.
bool speakLanguage(const std::string& language);
// The draw pass's own state (the frame picture, the world queue, the spotlight).
Renderer& frameRenderer();
// How many frames have been shown in the window so far, and how many were kept back (not
// shown, the picture before staying up) while a picture they drew was on its way.
long framesShown();
long framesHeldBack();
// How many of them were drawn again only where something moved.
long framesDrawnInPart();
