// The frame: the window, start-up, and the cycle every frame runs in this order: input (one
// sample of the player's input, then the presses by screen), update (the clock, the simulation,
// then the late rules), draw (const: it changes nothing the game plays by), present.
#pragma once

#include "core/game_state.h"
#include "core/render.h"

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
// Loads every resource once and gives every field its default, save file last.
void initGame();

// One whole frame: input, update, late update, then draw and present unless `draw` is false
// (headless frames: the game plays exactly the same without being drawn).
void runFrame(Platform& platform, sf::RenderWindow* window, bool draw = true);
// The three phases, in frame order.
void handleInput();
void updateGame();
void lateUpdate();
void drawFrame(const GameState& state, Renderer& renderer);
// What the player chose for the window, kept between runs in the settings file beside the save.
struct WindowSettings {
    bool fullscreen = false;
    unsigned width = 0, height = 0; // the window's size when not fullscreen; 0: none yet
};
// Each line "name number"; a line that cannot be read leaves its setting at the default.
WindowSettings readWindowSettings(const std::string& text);
// The settings file as start-up reads it: the defaults unless it is a small regular file.
WindowSettings loadWindowSettings();
std::string formatWindowSettings(const WindowSettings& settings);
// The window's size on a desktop of that size: the one the player left, while it fits, else
// the largest 16:9 size that leaves room for a panel and a title bar (at most 1920 x 1080
// unless the desktop is larger).
sf::Vector2u startWindowSize(sf::Vector2u desktop, const WindowSettings& settings);
// Opens the game's window as the player left it (title "Gobbler", 60 frames a second at most),
// centred on the desktop, or fullscreen.
void openGameWindow(sf::RenderWindow& window);
// F11 or Alt+Enter: fullscreen at the desktop's size and back; the choice is remembered.
void toggleFullscreen(sf::RenderWindow& window);
// Remembers the window's size and closes it.
void closeGameWindow(sf::RenderWindow& window);
// The desktop's own cursor shows only over the black bars.
void showSystemCursor(sf::RenderWindow& window, bool shown);
// Shows the drawn frame in a window (or any target): fitted, centred, black bars around.
void presentFrame(Renderer& renderer, sf::RenderTarget& target);

// The draw pass's own state (the frame picture, the world queue, the spotlight).
Renderer& frameRenderer();
