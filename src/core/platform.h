// The one seam through which the game reads the clock, the mouse, the keyboard and the window's
// events. The real one wraps SFML; tests and benchmarks script it. Nothing reads it but
// sampleInput, once at the start of every frame.
#pragma once

#include "core/game_state.h"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>

struct Platform {
    virtual ~Platform() = default;
    // Milliseconds since the game started.
    virtual std::int64_t clockMs() = 0;
    // Pointer position in window pixels, from the window's top-left corner.
    virtual sf::Vector2i mousePosition() = 0;
    // The window's size in pixels (the picture is fitted into it).
    virtual sf::Vector2u windowSize() = 0;
    virtual bool leftButtonDown() = 0;
    // The number-row speed keys: 1 or 2.
    virtual bool speedKeyDown(int key) = 0;
    // Next pending window event; false when the queue is empty.
    virtual bool pollEvent(sf::Event& event) = 0;
    // Waits out the rest of a sixtieth of a second from the frame's start, for a frame that
    // shows nothing new (a frame shown waits in the window's own display).
    virtual void restUntilNextFrame() {}
};

namespace sf {
class Window;
}

// The real platform over an SFML window, with a clock started when it is made.
Platform& sfmlPlatform(sf::Window& window);

// Where the 1920 x 1080 picture sits in a window of that size: as large as fits, centred, with
// black bars on the remaining sides (left, top, width, height in window pixels).
sf::FloatRect pictureArea(sf::Vector2u windowSize);
// A window pixel in frame coordinates; a pixel on a bar maps outside the frame.
sf::Vector2i windowToFrame(sf::Vector2i pixel, sf::Vector2u windowSize);

// Fills the frame's input record: the clock, the pointer, the buttons and keys, and the window's
// events. The press edge compares with the record of the frame before.
void sampleInput(Platform& platform, FrameInput& input);
