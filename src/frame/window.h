// The game's window: how it opens (sized and centred for the desktop, or fullscreen, as the
// player left it), the switch between the two, and how the 1920 x 1080 picture is shown in it.
#pragma once

#include "persist/persist.h"
#include "render/render.h"

#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

namespace sf {
class RenderTarget;
class RenderWindow;
} // namespace sf

// The window's size on a desktop of that size: the one the player left, while it fits, else
// the largest 16:9 size that leaves room for a panel and a title bar (at most 1920 x 1080
// unless the desktop is larger).
sf::Vector2u startWindowSize(sf::Vector2u desktop, const Settings& settings);
// Reads the settings file and opens the game's window as the player left it (title "Gobbler",
// 60 frames a second at most), centred on the desktop, or fullscreen.
void openGameWindow(sf::RenderWindow& window);
// F11 or Alt+Enter: fullscreen at the desktop's size and back; the choice is remembered.
void toggleFullscreen(sf::RenderWindow& window);
bool windowFullscreen();
// The language the player last chose ("" if none), and the one chosen now, remembered.
const std::string& languageChosen();
void rememberLanguage(const std::string& language);
// Remembers the window's size (the settings are written if anything changed) and closes it.
void closeGameWindow(sf::RenderWindow& window);
// The desktop's own cursor shows only over the black bars.
void showSystemCursor(sf::RenderWindow& window, bool shown);
// Shows the drawn frame in a window (or any target): fitted, centred, black bars around; only
// where these areas of the frame (its pixels) fall when some are given.
void presentFrame(Renderer& renderer, sf::RenderTarget& target,
                  const std::vector<sf::IntRect>& areas = {});
// Shows the drawn frame in the game's window: only these parts of it (none: all) when the
// window keeps its picture once shown, as a software renderer's does and a chain of buffers
// swapped in turn need not. Each window finds that out with its first two pictures; until then
// every picture is shown whole.
void showPicture(Renderer& renderer, sf::RenderWindow& window,
                 const std::vector<sf::IntRect>& parts);
