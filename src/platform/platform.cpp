#include "platform/platform.h"

#include <SFML/System/Clock.hpp>
#include <SFML/Window.hpp>

#include <algorithm>
#include <cmath>

namespace {

class SfmlPlatform final : public Platform {
  public:
    explicit SfmlPlatform(sf::Window& window) : window_(window) {}

    // A steady wall clock: the game's timers are in real seconds, whatever the CPU does.
    std::int64_t clockMs() override {
        frameStart_ = clock_.getElapsedTime();
        return frameStart_.asMilliseconds();
    }
    void restUntilNextFrame() override {
        const sf::Time left = sf::seconds(1.0f / 60) - (clock_.getElapsedTime() - frameStart_);
        if (left > sf::Time::Zero)
            sf::sleep(left);
    }
    sf::Vector2i mousePosition() override { return sf::Mouse::getPosition(window_); }
    sf::Vector2u windowSize() override { return window_.getSize(); }
    bool leftButtonDown() override { return sf::Mouse::isButtonPressed(sf::Mouse::Left); }
    bool speedKeyDown(int key) override {
        return sf::Keyboard::isKeyPressed(key == 1 ? sf::Keyboard::Num1 : sf::Keyboard::Num2);
    }
    bool pollEvent(sf::Event& event) override { return window_.pollEvent(event); }

  private:
    sf::Window& window_;
    sf::Clock clock_;
    sf::Time frameStart_; // the clock when the frame read it
};

void readKey(const sf::Event::KeyEvent& key, FrameInput& input) {
    // A speed key tapped between two frames counts as held on the next one.
    if (key.code == sf::Keyboard::Num1)
        input.speedKey1 = true;
    else if (key.code == sf::Keyboard::Num2)
        input.speedKey2 = true;
    else if (key.code == sf::Keyboard::Space)
        input.pauseKey = true;
    else if (key.code == sf::Keyboard::Escape)
        input.menuKey = true;
    else if (key.code == sf::Keyboard::F11 || (key.code == sf::Keyboard::Enter && key.alt))
        input.screenKey = true;
}

void pressGoesDown(PressQueue& presses, sf::Vector2i at) {
    if (presses.down)
        return; // the same press, told twice (its state, then its event)
    presses.down = true;
    presses.downShown = false;
    presses.downAt = at;
}

void pressGoesUp(PressQueue& presses) {
    if (!presses.down)
        return;
    presses.down = false;
    // Released before any frame showed it: it still gets its frame. A burst of taps beyond
    // the queue's room is one a player cannot mean anyway.
    if (!presses.downShown && presses.taps < PressQueue::capacity)
        presses.tapAt[presses.taps++] = presses.downAt;
}

// Whether the button is seen down on this frame, and where: one press a frame, each shown at
// least once, with a frame up between two presses so every one-shot button acts once per press.
bool showPress(PressQueue& presses, bool shownBefore, sf::Vector2i& at) {
    if (shownBefore)
        return presses.down && presses.downShown;
    if (presses.taps > 0) {
        at = presses.tapAt[0];
        std::copy(presses.tapAt + 1, presses.tapAt + presses.taps, presses.tapAt);
        --presses.taps;
        return true;
    }
    if (presses.down)
        presses.downShown = true;
    return presses.down;
}

} // namespace

Platform& sfmlPlatform(sf::Window& window) {
    static SfmlPlatform platform(window);
    return platform;
}

sf::FloatRect pictureArea(sf::Vector2u windowSize) {
    const float w = static_cast<float>(windowSize.x), h = static_cast<float>(windowSize.y);
    if (w <= 0 || h <= 0)
        return sf::FloatRect(0, 0, 0, 0);
    const float scale = std::min(w / layoutWidth, h / layoutHeight);
    const float width = layoutWidth * scale, height = layoutHeight * scale;
    return sf::FloatRect(std::floor((w - width) / 2), std::floor((h - height) / 2), width, height);
}

sf::Vector2i windowToFrame(sf::Vector2i pixel, sf::Vector2u windowSize) {
    // A window exactly the size of the frame shows it pixel for pixel.
    if (windowSize == sf::Vector2u(layoutWidth, layoutHeight))
        return pixel;
    const sf::FloatRect area = pictureArea(windowSize);
    // The window pixels the picture touches, its partly covered edge pixels included.
    const float left = std::floor(area.left), top = std::floor(area.top);
    const float right = std::ceil(area.left + area.width);
    const float bottom = std::ceil(area.top + area.height);
    const float px = static_cast<float>(pixel.x), py = static_cast<float>(pixel.y);
    if (area.width <= 0 || px < left || py < top || px >= right || py >= bottom)
        return sf::Vector2i(-10000, -10000); // on a bar: far from everything that can be hit
    const float scale = area.width / layoutWidth;
    const int x = static_cast<int>(std::floor((px + 0.5f - area.left) / scale));
    const int y = static_cast<int>(std::floor((py + 0.5f - area.top) / scale));
    return sf::Vector2i(std::clamp(x, 0, static_cast<int>(layoutWidth) - 1),
                        std::clamp(y, 0, static_cast<int>(layoutHeight) - 1));
}

void sampleInput(Platform& platform, FrameInput& input) {
    const bool wasDown = input.leftDown;
    input.clockMs = platform.clockMs();
    input.closeRequested = false;
    input.focus = 0;
    input.pauseKey = input.menuKey = input.screenKey = false;
    input.windowRedrawn = false;
    input.speedKey1 = platform.speedKeyDown(1);
    input.speedKey2 = platform.speedKeyDown(2);
    PressQueue& presses = input.presses;
    bool buttonEvents = false;
    sf::Event event;
    while (platform.pollEvent(event)) {
        if (event.type == sf::Event::Closed)
            input.closeRequested = true;
        else if (event.type == sf::Event::GainedFocus)
            input.focus = 1, input.windowRedrawn = true;
        else if (event.type == sf::Event::Resized)
            input.windowRedrawn = true;
        else if (event.type == sf::Event::LostFocus)
            input.focus = -1;
        else if (event.type == sf::Event::KeyPressed)
            readKey(event.key, input);
        else if (event.type == sf::Event::MouseButtonPressed &&
                 event.mouseButton.button == sf::Mouse::Left) {
            buttonEvents = true;
            pressGoesDown(presses, sf::Vector2i(event.mouseButton.x, event.mouseButton.y));
        } else if (event.type == sf::Event::MouseButtonReleased &&
                   event.mouseButton.button == sf::Mouse::Left) {
            buttonEvents = true;
            pressGoesUp(presses);
        }
    }
    sf::Vector2i pointer = platform.mousePosition();
    // The events tell the order of what happened; without them, the button's state does (a
    // press may be seen down before its event arrives, or have no event at all).
    if (!buttonEvents) {
        if (platform.leftButtonDown())
            pressGoesDown(presses, pointer);
        else
            pressGoesUp(presses);
    }
    input.leftDown = showPress(presses, wasDown, pointer);
    input.windowSize = platform.windowSize();
    const sf::Vector2i at = windowToFrame(pointer, input.windowSize);
    input.mouseX = at.x;
    input.mouseY = at.y;
    input.onPicture = at.x >= 0 && at.y >= 0 && at.x < static_cast<int>(layoutWidth) &&
                      at.y < static_cast<int>(layoutHeight);
}
