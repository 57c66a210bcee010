#include "support/frame_driver.h"
#include "ground/records.h"

#include "assets/assets.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "level/level.h"
#include "persist/persist.h"
#include "ui/ui.h"

#include <SFML/Graphics/Texture.hpp>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

std::unique_ptr<sf::RenderWindow>& sharedWindow() {
    static std::unique_ptr<sf::RenderWindow> window;
    return window;
}

} // namespace

bool ScriptedPlatform::pollEvent(sf::Event& event) {
    // The real window's own events are drained and ignored: the script decides.
    if (window) {
        sf::Event ignored;
        while (window->pollEvent(ignored)) {
        }
    }
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

sf::RenderWindow& FrameDriver::window() {
    auto& window = sharedWindow();
    if (!window || !window->isOpen()) {
        window = std::make_unique<sf::RenderWindow>(sf::VideoMode(960, 540), "Gobbler tests",
                                                    sf::Style::Resize | sf::Style::Close);
        window->setVerticalSyncEnabled(false);
    }
    return *window;
}

FrameDriver::FrameDriver(double seconds) : frameSeconds(seconds) {
    resetGame();
    // As a start reads them: those a test before left in memory are not this run's.
    loadSettings();
    platform.window = &window();
    game.shared.input.clockMs = platform.ms;
    initGame();
    // Tests play at once: every picture is in before the first frame.
    finishLoading();
}

FrameDriver::~FrameDriver() = default;

void FrameDriver::frame() {
    clockSeconds += frameSeconds;
    platform.ms = static_cast<std::int64_t>(std::llround(clockSeconds * 1000.0));
    sf::RenderWindow& target = *platform.window;
    if (!target.isOpen())
        return;
    runFrame(platform, &target, drawing);
}

void FrameDriver::frames(int count) {
    for (int i = 0; i < count; ++i)
        frame();
}

void FrameDriver::runFor(double seconds) {
    const double end = clockSeconds + seconds - frameSeconds / 2;
    while (clockSeconds < end)
        frame();
}

void FrameDriver::moveMouse(int x, int y) {
    platform.mouse = sf::Vector2i(x, y);
}

void FrameDriver::press(int x, int y) {
    moveMouse(x, y);
    platform.left = true;
}

void FrameDriver::release() {
    platform.left = false;
}

void FrameDriver::click(int x, int y) {
    press(x, y);
    frame();
    release();
    frame();
}

void FrameDriver::tap(int x, int y) {
    moveMouse(x, y);
    sf::Event event;
    event.mouseButton = {sf::Mouse::Left, x, y};
    for (sf::Event::EventType type :
         {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
        event.type = type;
        platform.events.push_back(event);
    }
    frames(2);
}

void FrameDriver::tapKey(sf::Keyboard::Key code, bool alt) {
    sf::Event event;
    event.key = {code, alt, false, false, false};
    for (sf::Event::EventType type : {sf::Event::KeyPressed, sf::Event::KeyReleased}) {
        event.type = type;
        platform.events.push_back(event);
    }
    frame();
}

bool FrameDriver::padMoveTo(int x, int y, double maxSeconds) {
    platform.padPlugged = true;
    const double end = clockSeconds + maxSeconds;
    for (;;) {
        const float dx = static_cast<float>(x - game.shared.input.mouseX);
        const float dy = static_cast<float>(y - game.shared.input.mouseY);
        const float distance = std::hypot(dx, dy);
        if (distance < 1 || clockSeconds >= end) {
            platform.pad.stickX = platform.pad.stickY = 0;
            frame();
            return game.shared.input.mouseX == x && game.shared.input.mouseY == y;
        }
        // A speed that never carries it past the point (the speed grows as the square of the
        // tilt beyond the stick's rest, a fifth of its travel).
        const float wanted = std::min(2000.0f, distance * 6);
        const float tilt = 20 + 80 * std::sqrt(wanted / 2000);
        platform.pad.stickX = dx / distance * tilt;
        platform.pad.stickY = dy / distance * tilt;
        frame();
    }
}

void FrameDriver::padPress(PadButton button) {
    platform.padPlugged = true;
    platform.pad.buttons |= 1u << button;
    frame();
    platform.pad.buttons &= ~(1u << button);
    frame();
}

void FrameDriver::requestClose() {
    sf::Event event;
    event.type = sf::Event::Closed;
    platform.events.push_back(event);
}

void FrameDriver::setFocus(bool focused) {
    sf::Event event;
    event.type = focused ? sf::Event::GainedFocus : sf::Event::LostFocus;
    platform.events.push_back(event);
}

void FrameDriver::startLevel(int level) {
    game.shared.currentLevel = level;
    ::startLevel();
}

sf::Image FrameDriver::frameImage() const {
    // Drawing changes nothing, so drawing now shows exactly what the last frame showed.
    drawFrame(game, frameRenderer());
    return frameRenderer().frame.getTexture().copyToImage();
}

bool FrameDriver::screenshot(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return frameImage().saveToFile(path);
}
