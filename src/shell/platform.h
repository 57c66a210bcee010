// The one seam through which the game reads the clock, the mouse, the keyboard and the
// window's events. The real one wraps SFML; tests and benchmarks script it.
#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>

struct Platform {
    virtual ~Platform() = default;
    // Milliseconds since the game started.
    virtual std::int64_t clockMs() = 0;
    // Pointer position relative to the window's top-left corner.
    virtual sf::Vector2i mousePosition() = 0;
    virtual bool leftButtonDown() = 0;
    // The number-row speed keys: 1 or 2.
    virtual bool speedKeyDown(int key) = 0;
    // Next pending window event; false when the queue is empty.
    virtual bool pollEvent(sf::Event& event) = 0;
};

namespace sf {
class Window;
}

// The real platform over an SFML window, with a clock started when it is made.
Platform& sfmlPlatform(sf::Window& window);
