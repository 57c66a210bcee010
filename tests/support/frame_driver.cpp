#include "support/frame_driver.h"

#include "level/level.h"
#include "shell/game_state.h"
#include "shell/shell.h"
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

sf::RenderWindow& FrameDriver::window(bool fullSize) {
    auto& window = sharedWindow();
    const unsigned width = fullSize ? 1920 : 960, height = fullSize ? 1080 : 540;
    if (!window || !window->isOpen() || window->getSize() != sf::Vector2u(width, height)) {
        window.reset(new sf::RenderWindow(sf::VideoMode(width, height), "Gobbler tests",
                                          sf::Style::Resize | sf::Style::Close));
        window->setVerticalSyncEnabled(false);
        window->setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    }
    return *window;
}

FrameDriver::FrameDriver(double seconds, bool fullSize) : frameSeconds(seconds) {
    game = GameState();
    game.window = &window(fullSize);
    platform.window = game.window;
    game.platform = &platform;
    initGame();
}

FrameDriver::~FrameDriver() {
    game.platform = nullptr;
    game.window = nullptr;
}

void FrameDriver::frame() {
    clockSeconds += frameSeconds;
    platform.ms = static_cast<std::int64_t>(std::llround(clockSeconds * 1000.0));
    if (!game.window->isOpen())
        return;
    handleInput();
    updateGame();
    drawFrame();
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
    game.currentLevel = level;
    ::startLevel();
}

bool FrameDriver::screenshot(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    sf::RenderWindow& target = *game.window;
    sf::Texture texture;
    if (!texture.create(target.getSize().x, target.getSize().y))
        return false;
    texture.update(target);
    return texture.copyToImage().saveToFile(path);
}
