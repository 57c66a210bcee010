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
    bool padState(PadState& pad) override;
    void placePointer(sf::Vector2i pixel) override { sf::Mouse::setPosition(pixel, window_); }

  private:
    sf::Window& window_;
    sf::Clock clock_;
    sf::Time frameStart_; // the clock when the frame read it
};

// Every pad SFML sees (plugged in at any time; the window's events keep their states fresh),
// taken together: the stick pushed furthest, any d-pad, any button. A pad without some axis or
// button simply never uses it. Nothing is read while another window has the focus.
bool SfmlPlatform::padState(PadState& pad) {
    if (!window_.hasFocus())
        return false;
    bool any = false;
    pad = PadState();
    auto further = [](float& kept, float value) {
        if (std::abs(value) > std::abs(kept))
            kept = value;
    };
    auto sign = [](float value) { return value > 50 ? 1 : value < -50 ? -1 : 0; };
    for (unsigned id = 0; id < sf::Joystick::Count; ++id) {
        if (!sf::Joystick::isConnected(id))
            continue;
        any = true;
        if (sf::Joystick::hasAxis(id, sf::Joystick::X) &&
            sf::Joystick::hasAxis(id, sf::Joystick::Y)) {
            further(pad.stickX, sf::Joystick::getAxisPosition(id, sf::Joystick::X));
            further(pad.stickY, sf::Joystick::getAxisPosition(id, sf::Joystick::Y));
        }
        if (sf::Joystick::hasAxis(id, sf::Joystick::PovX) && pad.dpadX == 0)
            pad.dpadX = sign(sf::Joystick::getAxisPosition(id, sf::Joystick::PovX));
        if (sf::Joystick::hasAxis(id, sf::Joystick::PovY) && pad.dpadY == 0)
            pad.dpadY = sign(sf::Joystick::getAxisPosition(id, sf::Joystick::PovY));
        const unsigned count = std::min<unsigned>(sf::Joystick::getButtonCount(id), PadButtonCount);
        for (unsigned button = 0; button < count; ++button)
            if (sf::Joystick::isButtonPressed(id, button))
                pad.buttons |= 1u << button;
    }
    return any;
}

// The stick's travel left unheeded around its rest, the pointer's speed at full tilt (frame
// pixels a second) and how fast it gets there, and the d-pad's step and its repeat.
constexpr float stickRest = 20, fullSpeed = 2000, speedRise = 6000;
constexpr float dpadStep = 8, dpadFirstWait = 0.35f, dpadRepeat = 0.05f;

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

sf::Vector2i frameToWindow(sf::Vector2f point, sf::Vector2u windowSize) {
    if (windowSize == sf::Vector2u(layoutWidth, layoutHeight))
        return sf::Vector2i(static_cast<int>(point.x), static_cast<int>(point.y));
    const sf::FloatRect area = pictureArea(windowSize);
    const float scale = area.width / layoutWidth;
    return sf::Vector2i(static_cast<int>(std::floor(area.left + (point.x + 0.5f) * scale)),
                        static_cast<int>(std::floor(area.top + (point.y + 0.5f) * scale)));
}

bool steerPadPointer(PadPointer& pointer, const PadState& pad, float seconds) {
    const sf::Vector2f before = pointer.at;
    const float tilt = std::min(100.0f, std::hypot(pad.stickX, pad.stickY));
    if (tilt > stickRest) {
        // Slow and precise near the rest, fast at full tilt, rising to it rather than jumping.
        const float over = (tilt - stickRest) / (100 - stickRest);
        const float wanted = fullSpeed * over * over;
        pointer.speed = std::min(wanted, pointer.speed + speedRise * seconds);
        pointer.at += sf::Vector2f(pad.stickX, pad.stickY) * (pointer.speed * seconds / tilt);
    } else {
        pointer.speed = 0;
    }
    if (pad.dpadX != 0 || pad.dpadY != 0) {
        const bool pressed = pad.dpadX != pointer.dpadX || pad.dpadY != pointer.dpadY;
        pointer.dpadWait = pressed ? 0 : pointer.dpadWait - seconds;
        for (int steps = 0; pointer.dpadWait <= 0 && steps < 20; ++steps) {
            pointer.at +=
                sf::Vector2f(static_cast<float>(pad.dpadX), static_cast<float>(pad.dpadY)) *
                dpadStep;
            pointer.dpadWait += pressed && steps == 0 ? dpadFirstWait : dpadRepeat;
        }
    }
    pointer.dpadX = pad.dpadX;
    pointer.dpadY = pad.dpadY;
    pointer.at.x = std::clamp(pointer.at.x, 0.0f, static_cast<float>(layoutWidth - 1));
    pointer.at.y = std::clamp(pointer.at.y, 0.0f, static_cast<float>(layoutHeight - 1));
    return pointer.at != before;
}

void sampleInput(Platform& platform, FrameInput& input) {
    const bool wasDown = input.leftDown;
    const std::int64_t lastClockMs = input.clockMs;
    input.clockMs = platform.clockMs();
    const float seconds =
        std::clamp(static_cast<float>(input.clockMs - lastClockMs) / 1000.0f, 0.0f, 0.1f);
    input.closeRequested = false;
    input.focus = 0;
    input.pauseKey = input.menuKey = input.screenKey = input.gameMenuKey = false;
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
    input.windowSize = platform.windowSize();
    sf::Vector2i pointer = platform.mousePosition();
    PadPointer& padPointer = input.pad;
    PadState pad;
    if (!platform.padState(pad))
        pad = PadState();
    // The mouse moved, neither left where it was nor where the pad put it: the pointer is its
    // own again. (A desktop that does not let a program move its pointer leaves it where it
    // was, and the pad keeps the game's.)
    if (padPointer.owns && pointer != padPointer.mouseSeen && pointer != padPointer.placed)
        padPointer.owns = false;
    padPointer.mouseSeen = pointer;
    if (!padPointer.owns) {
        const sf::Vector2i at = windowToFrame(pointer, input.windowSize);
        padPointer.at = sf::Vector2f(
            static_cast<float>(std::clamp(at.x, 0, static_cast<int>(layoutWidth) - 1)),
            static_cast<float>(std::clamp(at.y, 0, static_cast<int>(layoutHeight) - 1)));
    }
    if (steerPadPointer(padPointer, pad, seconds)) {
        padPointer.owns = true;
        padPointer.placed = frameToWindow(padPointer.at, input.windowSize);
        platform.placePointer(padPointer.placed);
    }
    if (padPointer.owns)
        pointer = padPointer.placed;
    const unsigned pressed = pad.buttons & ~padPointer.buttons;
    const bool padDown = (pad.buttons >> PadA) & 1u;
    input.menuKey = input.menuKey || ((pressed >> PadB) & 1u);
    input.pauseKey = input.pauseKey || ((pressed >> PadStart) & 1u);
    input.gameMenuKey = (pressed >> PadY) & 1u;
    input.speedKey1 = input.speedKey1 || ((pad.buttons >> PadLeftShoulder) & 1u);
    input.speedKey2 = input.speedKey2 || ((pad.buttons >> PadRightShoulder) & 1u);
    // The events tell the order of what happened; without them, the button's state does (a
    // press may be seen down before its event arrives, or have no event at all). The pad's A
    // is the same button.
    if (!buttonEvents) {
        if (platform.leftButtonDown() || padDown)
            pressGoesDown(presses, pointer);
        else
            pressGoesUp(presses);
    } else if (padDown != (((padPointer.buttons >> PadA) & 1u) != 0)) {
        if (padDown)
            pressGoesDown(presses, pointer);
        else
            pressGoesUp(presses);
    }
    padPointer.buttons = pad.buttons;
    const sf::Vector2i shownAt = pointer;
    input.leftDown = showPress(presses, wasDown, pointer);
    // Where the pad put the pointer, exactly, unless a tap elsewhere is shown on this frame.
    const sf::Vector2i at =
        padPointer.owns && pointer == shownAt
            ? sf::Vector2i(static_cast<int>(padPointer.at.x), static_cast<int>(padPointer.at.y))
            : windowToFrame(pointer, input.windowSize);
    input.mouseX = at.x;
    input.mouseY = at.y;
    input.onPicture = at.x >= 0 && at.y >= 0 && at.x < static_cast<int>(layoutWidth) &&
                      at.y < static_cast<int>(layoutHeight);
}
