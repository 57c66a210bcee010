// Runs real frames of the game (input, update, draw) in a real window, with a scripted
// clock and scripted mouse, keys and window events.
#pragma once

#include "platform/platform.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <cstdint>
#include <deque>
#include <string>

class ScriptedPlatform final : public Platform {
  public:
    std::int64_t ms = 0;
    sf::Vector2i mouse{0, 0};
    // The window size the game is told about; the picture is fitted into it. At 1920 x 1080
    // a window pixel is a frame pixel.
    sf::Vector2u size{1920, 1080};
    bool left = false;
    bool key1 = false, key2 = false;
    // A gamepad plugged in, as it stands; the desktop's pointer goes where the pad puts it.
    bool padPlugged = false;
    PadState pad;
    std::deque<sf::Event> events;
    sf::RenderWindow* window = nullptr;

    std::int64_t clockMs() override { return ms; }
    sf::Vector2i mousePosition() override { return mouse; }
    sf::Vector2u windowSize() override { return size; }
    bool leftButtonDown() override { return left; }
    bool speedKeyDown(int key) override { return key == 1 ? key1 : key2; }
    bool pollEvent(sf::Event& event) override;
    bool padState(PadState& state) override {
        state = pad;
        return padPlugged;
    }
    void placePointer(sf::Vector2i pixel) override { mouse = pixel; }
};

class FrameDriver {
  public:
    // Resets the whole game state and runs start-up (initGame) with the shared test window.
    // Frames only play (input and update) unless `drawing` is on: the game plays the same
    // either way, and a test that looks at the picture draws it when it looks (frameImage).
    explicit FrameDriver(double frameSeconds = 1.0 / 60.0);
    ~FrameDriver();

    ScriptedPlatform platform;
    double frameSeconds;
    double clockSeconds = 0; // the scripted clock, in seconds since start
    bool drawing = false;

    // One frame: the clock advances by frameSeconds, then input, update and (unless headless)
    // draw.
    void frame();
    void frames(int count);
    // Runs frames for that much scripted time.
    void runFor(double seconds);
    // Runs frames until the condition holds or maxSeconds of scripted time passed.
    template <class Condition> bool runUntil(Condition condition, double maxSeconds) {
        const double end = clockSeconds + maxSeconds;
        while (!condition()) {
            if (clockSeconds >= end)
                return false;
            frame();
        }
        return true;
    }

    void moveMouse(int x, int y);
    // Button down at (x, y); it stays down until release().
    void press(int x, int y);
    void release();
    // Down for one frame, up for one frame.
    void click(int x, int y);
    // A quick click or a touchpad's tap: down and up at (x, y) between two frames, told only
    // by the window's events (the button is up whenever the game looks); then two frames, the
    // one that shows it and the next.
    void tap(int x, int y);
    // A key pressed and released between two frames; then one frame.
    void tapKey(sf::Keyboard::Key code, bool alt = false);
    void requestClose();
    // The pad's stick tilted toward (x, y), less as the pointer nears it, as a player steers,
    // until the pointer is there (then let go); false when it is not there within maxSeconds.
    bool padMoveTo(int x, int y, double maxSeconds = 5);
    // A pad button held for a frame, then let go for a frame.
    void padPress(PadButton button);
    void setFocus(bool focused);

    // Starts a level the way the level selection does (the menus may not exist yet).
    void startLevel(int level);
    // The picture of the game as it stands, 1920 x 1080, and the same saved to a file.
    sf::Image frameImage() const;
    bool screenshot(const std::string& path);

    static sf::RenderWindow& window();
};
